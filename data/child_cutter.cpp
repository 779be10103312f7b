#include "data/child_cutter.h"

CChildCutter::CChildCutter(CTagBufLst& list) : m_tags(list.TakeAll()) {
    int n = int(m_tags.size());
    m_next.resize(size_t(n));
    m_prev.resize(size_t(n));
    m_heads.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        m_next[size_t(i)] = i + 1 < n ? i + 1 : -1;
        m_prev[size_t(i)] = i - 1;
        std::string_view label = m_tags[size_t(i)]->TagLabel();
        // Empty labels never match a name: they get no head.
        if (label.empty()) continue;
        std::string_view head = label.substr(0, label.find('\\'));
        m_heads[size_t(i)] = std::string(head);
        m_byHead[m_heads[size_t(i)]].positions.push_back(i);
    }
}

std::unique_ptr<CTagBufLst> CChildCutter::Take(std::string_view name) {
    auto out = std::make_unique<CTagBufLst>();
    auto found = m_byHead.find(std::string(name));
    if (name.empty() || found == m_byHead.end()) return out;
    SHeadQueue& queue = found->second;
    while (queue.next < queue.positions.size() && !m_tags[size_t(queue.positions[queue.next])])
        ++queue.next;
    if (queue.next == queue.positions.size()) return out;

    // The run starts at the first tag buffer left with this head and goes on while the
    // next one left in the list has it too.
    for (int i = queue.positions[queue.next]; i >= 0 && m_heads[size_t(i)] == name;) {
        std::unique_ptr<CTagBuf> tag = std::move(m_tags[size_t(i)]);
        std::string_view label = tag->TagLabel();
        tag->SetTagLabel(label.size() > name.size() ? label.substr(name.size() + 1)
                                                    : std::string_view());
        out->Add(std::move(tag));
        int before = m_prev[size_t(i)], after = m_next[size_t(i)];
        if (before >= 0) m_next[size_t(before)] = after;
        if (after >= 0) m_prev[size_t(after)] = before;
        m_heads[size_t(i)].clear();
        i = after;
    }
    return out;
}
