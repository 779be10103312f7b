#include "tools/run/headless_run.h"

#include <algorithm>
#include <cstdio>

#include "app/firmware_container.h"
#include "core/ice.h"
#include "data/lit_segments.h"
#include "tools/run/firmware_source.h"
#include "tools/run/message_capture.h"
#include "tools/run/model_files.h"
#include "tools/run/run_options.h"
#include "tools/run/scripted_run.h"
#include "tools/run/staged_output.h"
#include "tools/run/state_dump.h"
#include "tools/run/trace_writer.h"
#include "util/strfmt.h"

namespace {

void Say(const std::string& what) {
    std::fprintf(stderr, "orvane-run: %s\n", what.c_str());
}

int Fail(const std::string& why) {
    Say(why);
    return kRunFailed;
}

std::string KeyNameList(const std::vector<PanelKey>& keys) {
    std::string names;
    for (const PanelKey& k : keys)
        if (!k.name.empty()) names += (names.empty() ? "" : " ") + k.name;
    return names.empty() ? "(none)" : names;
}

// Holds and taps with their key codes; taps by name looked up in the small panel's key map.
int BuildScript(const RunOptions& o, RunScript& script, std::string& error) {
    script.passBudget = o.passBudget;
    for (const KeyHold& h : o.holds) {
        ScriptedHold hold{{}, h.from, h.to};
        KeyCodesForPosition(h.row, h.col, &hold.codes);
        script.holds.push_back(hold);
    }
    std::vector<PanelKey> keyMap;
    std::string panelPath = ModelFile(o.modelDir, std::string(kModelCode) + kSmallPanelSuffix);
    bool mapRead = false;
    for (const KeyTapStep& t : o.taps) {
        ScriptedTap tap{{}, t.name.empty() ? StrFormat("%d,%d", t.row, t.col) : t.name};
        int row = t.row, col = t.col;
        if (!t.name.empty()) {
            if (!mapRead && !ReadPanelKeyMap(panelPath, keyMap, error)) {
                error = StrFormat("'%s': %s", panelPath.c_str(), error.c_str());
                return 0;
            }
            mapRead = true;
            auto key = std::find_if(keyMap.begin(), keyMap.end(),
                                    [&](const PanelKey& k) { return k.name == t.name; });
            if (key == keyMap.end()) {
                error = StrFormat("no key is named '%s'; the keys of '%s' are: %s", t.name.c_str(),
                                  panelPath.c_str(), KeyNameList(keyMap).c_str());
                return 0;
            }
            row = key->row;
            col = key->col;
        }
        if (!KeyCodesForPosition(row, col, &tap.codes)) {
            error = StrFormat("key '%s' lies at %d,%d, outside the key matrix", t.name.c_str(), row,
                              col);
            return 0;
        }
        script.taps.push_back(tap);
    }
    return 1;
}

struct Outputs {
    CStagedOutput dump, trace, bmp;
};

int OpenOutputs(const RunOptions& o, Outputs& out, std::string& error) {
    std::pair<const std::string*, CStagedOutput*> all[] = {
        {&o.dumpPath, &out.dump}, {&o.tracePath, &out.trace}, {&o.bmpPath, &out.bmp}};
    for (auto& [path, file] : all) {
        if (path->empty()) continue;
        if (!file->Open(*path)) {
            error = StrFormat("cannot create '%s'", path->c_str());
            return 0;
        }
    }
    return 1;
}

void ReportStop(const CIce& ice, const RunOutcome& outcome) {
    uint32_t pc = ice.Cpu().Sfr().Pc();
    Say(StrFormat("stopped by an unknown instruction 0x%04X at 0x%05X in pass %llu",
                  ice.Cpu().ProgramWord(pc), pc, (unsigned long long)(outcome.passes - 1)));
}

}  // namespace

int RunHeadless(const RunOptions& o) {
    std::string error;
    std::vector<uint16_t> words;
    if (!LoadFirmwareWords(o, words, error)) return Fail(error);

    CLcdPicture lcd;
    if (!o.bmpPath.empty()) {
        std::string path = ModelFile(o.modelDir, std::string(kModelCode) + kSegLcdSuffix);
        if (!lcd.Load(path, o.layout, error))
            return Fail(StrFormat("'%s': %s", path.c_str(), error.c_str()));
    }
    RunScript script;
    if (!BuildScript(o, script, error)) return Fail(error);
    Outputs out;
    if (!OpenOutputs(o, out, error)) return Fail(error);

    std::unique_ptr<CIce> ice = MakeMachine(words);
    CTraceWriter tracer(out.trace);
    RunOutcome outcome;
    {
        // The unknown-instruction message is reported below, with its address.
        CConsolePlatform silent(true);
        CScopedPlatform quiet(silent);
        outcome = CScriptedRun(*ice, script, out.trace.IsOpen() ? &tracer : nullptr).Run();
    }
    if (!o.quiet)
        for (const std::string& notice : outcome.notices)
            Say(notice);
    if (outcome.stopped) ReportStop(*ice, outcome);

    int code = outcome.stopped ? kRunStopped : kRunOk;
    if (out.bmp.IsOpen()) {
        std::string bmp;
        CBuf lit;
        BuildLitSegments([&ice](int page, uint32_t* cells) { ice->GetLcdRow(page, cells); }, lit);
        if (lcd.RenderBmp(lit, bmp, error)) {
            out.bmp.Write(bmp);
        } else {
            code = Fail(StrFormat("no LCD picture written: %s", error.c_str()));
            out.bmp.Discard();
        }
    }
    if (out.dump.IsOpen()) out.dump.Write(StateDumpJson(*ice, outcome));
    for (CStagedOutput* file : {&out.dump, &out.trace, &out.bmp})
        if (file->IsOpen() && !file->Commit())
            code = Fail(StrFormat("cannot write '%s'", file->Path().c_str()));
    return code;
}
