#pragma once

#include "core/export/ExportUI.h"
#include "core/results/ResultList.h"

#include <string>
#include <vector>

namespace hollowsweep::test {

// Answers an export's questions from a script and records what it was asked
// and shown, one line per call.
class ScriptedExportUI final : public IExportUI {
public:
    // The save dialog's answer; empty cancels.
    std::string SavePath;
    bool OverwriteAnswer = false;
    std::vector<std::string> Calls;

    std::string ChooseSaveFile(std::string_view defaultExt, std::string_view filter) override {
        Calls.push_back("save dialog " + std::string(defaultExt) + " " + std::string(filter));
        return SavePath;
    }
    bool AskYesNo(std::string_view text, std::string_view caption) override {
        Calls.push_back("ask " + std::string(caption) + ": " + std::string(text));
        return OverwriteAnswer;
    }
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        Calls.push_back("message " + std::string(caption) + ": " + std::string(text) +
                        (icon == MessageIcon::Warning ? " (warning)" : ""));
    }
    void ShowWaitForm(bool show) override {
        Calls.emplace_back(show ? "wait shown" : "wait hidden");
    }
    void SetWaitMessage(std::string_view message) override {
        Calls.push_back("wait message " + std::string(message));
    }
};

} // namespace hollowsweep::test
