#include "data/id_center.h"

#include <cmath>

#include "data/dms.h"
#include "data/tag_buf_list.h"

int32_t CIdCenter::NewId() {
    m_dms.idLast += m_dms.idStep;
    double id = m_dms.idLast;
    if (std::isnan(id)) return 0;
    if (id >= double(INT32_MAX)) return INT32_MAX;
    if (id <= double(INT32_MIN)) return INT32_MIN;
    return int32_t(id);
}

std::unique_ptr<CTagBufLst> CIdCenter::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    return list;
}

int CIdCenter::LoadFromTagList(const CTagBufLst& list) {
    ReadDms(list, m_dms);
    return 1;
}
