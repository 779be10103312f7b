// CIni::CheckValues: the value checks and their Yes/No message.
#include "app/ini.h"
#include "app/ini_text.h"
#include "app/ini_value_spec.h"
#include "util/platform.h"

int CIni::CheckValues(int section, int key, int expectedCount, int repeatStart,
                      const std::string& specification) {
    const Key* k = KeyAt(section, key);
    if (!m_checksOn || !k) return 1;
    std::vector<std::string> values;
    for (const std::string& v : k->values)
        values.emplace_back(ini_text::Trim(v));
    std::vector<std::string> lines = BuildCheckReport(SectionName(section), k->line, values,
                                                      expectedCount, repeatStart, specification);
    if (lines.empty()) return 1;
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    text += "\n\nContinue parsing ini ?";
    if (!AskYesNo(text, MsgIcon::Error)) m_checksOn = false;
    return 1;
}
