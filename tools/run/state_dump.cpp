#include "tools/run/state_dump.h"

#include <charconv>
#include <vector>

#include "core/ice.h"
#include "tools/run/scripted_run.h"

namespace {

// Appends "  \"key\": " items of one object; lists of integers stay on one line.
class CJsonObjectWriter {
public:
    explicit CJsonObjectWriter(std::string& out) : m_out(out) { m_out += "{\n"; }
    void Finish() { m_out += "\n}\n"; }

    template <class T>
    void Int(const char* key, T value) {
        Key(key);
        Number(value);
    }
    template <class Fn>
    void IntList(const char* key, int count, Fn valueAt) {
        Key(key);
        List(count, valueAt);
    }
    // Key with raw JSON text as its value.
    void Raw(const char* key, const std::string& json) {
        Key(key);
        m_out += json;
    }
    void Key(const char* key) {
        if (!m_first) m_out += ",\n";
        m_first = false;
        m_out += "  \"";
        m_out += key;
        m_out += "\": ";
    }
    template <class T>
    void Number(T value) {
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_out.append(digits, size_t(end - digits));
    }
    template <class Fn>
    void List(int count, Fn valueAt) {
        m_out += '[';
        for (int i = 0; i < count; ++i) {
            if (i) m_out += ", ";
            Number(valueAt(i));
        }
        m_out += ']';
    }

private:
    std::string& m_out;
    bool m_first = true;
};

}  // namespace

std::string StateDumpJson(const CIce& ice, const RunOutcome& outcome) {
    const CCpu& cpu = ice.Cpu();
    const CSFRRam& sfr = cpu.Sfr();
    std::string out;
    out.reserve(200000);
    CJsonObjectWriter w(out);

    w.IntList("sfr", 0x40, [&](int i) { return sfr.Bank0(i); });
    w.IntList("sfr_bank1", CSFRRam::kLastBanked - CSFRRam::kFirstBanked + 1,
              [&](int i) { return sfr.Bank1(CSFRRam::kFirstBanked + i); });
    w.IntList("strobe16", 2, [&](int i) { return sfr.Bank0(CSFRRam::kStrobeLow + i); });
    w.IntList("common_ram", CCpu::kCommonCells, [&](int i) { return cpu.CommonRam(i); });
    w.IntList("banked_ram", CCpu::kBankedCells, [&](int i) { return cpu.BankedCell(i); });
    w.IntList("lcd", CLCDRam::kPages * CLCDRam::kColumns, [&](int i) {
        return cpu.Lcd().ReadCell(i / CLCDRam::kColumns, i % CLCDRam::kColumns);
    });

    w.Key("lcd_rows");
    out += '[';
    for (int page = 0; page < CLCDRam::kPages; ++page) {
        std::vector<uint32_t> row(CLCDRam::kColumns, 0);
        ice.GetLcdRow(page, row.data());
        out += page ? ", " : "";
        w.List(CLCDRam::kColumns, [&](int i) { return row[size_t(i)]; });
    }
    out += ']';

    w.Int("pc", sfr.Pc());
    w.Int("run_state", cpu.RunState());
    w.Int("repeat_count", cpu.RepeatCount());
    w.Int("repeat_target", cpu.RepeatTarget());
    w.Int("cycle_pos", cpu.CyclePosition());
    w.Int("cycle_count", cpu.CycleCount());

    w.Key("timers");
    out += '[';
    const CTimer* timers[3] = {&cpu.Timer0(), &cpu.Timer1(), &cpu.Timer2()};
    for (int n = 0; n < 3; ++n) {
        out += n ? ", {\"counter\": " : "{\"counter\": ";
        w.Number(timers[n]->Counter());
        out += ", \"prescale\": ";
        w.Number(timers[n]->PrescaleCount());
        out += ", \"overflow\": ";
        w.Number(timers[n]->Overflow());
        out += '}';
    }
    out += ']';

    const CSystemClock& clock = cpu.Clock();
    w.Key("clock");
    const std::pair<const char*, int32_t> clockFields[] = {
        {"main_divider", clock.MainDivider()}, {"main_tick", clock.MainTick()},
        {"sub_tick", clock.SubTick()},         {"main_counter", clock.MainCounter()},
        {"sub_counter", clock.SubCounter()},   {"source_select", clock.SourceSelect()}};
    out += '{';
    for (size_t i = 0; i < std::size(clockFields); ++i) {
        out += i ? ", \"" : "\"";
        out += clockFields[i].first;
        out += "\": ";
        w.Number(clockFields[i].second);
    }
    out += '}';

    w.Int("passes", outcome.passes);
    w.Int("instructions", cpu.Instructions());
    w.Int("cycles", cpu.Ticks());
    w.Raw("stopped", outcome.stopped ? "\"unknown instruction\"" : "null");

    std::vector<KeyPair> held(size_t(cpu.Keys().HeldCount()) + 1);
    int count = cpu.Keys().HeldKeys(held.data(), int(held.size()));
    if (count > int(held.size())) count = int(held.size());
    w.Key("held_keys");
    out += '[';
    for (int i = 0; i < count; ++i) {
        out += i ? ", [" : "[";
        w.Number(held[size_t(i)].strobeCode);
        out += ", ";
        w.Number(held[size_t(i)].inputCode);
        out += ']';
    }
    out += ']';
    w.Finish();
    return out;
}
