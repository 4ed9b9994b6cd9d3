#include "persist/SavedGame.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

void StoreTunables(TCompany& company, const TTunables& t) {
    const int32_t values[7] = {t.NewProjectWork, t.TechStepWork, t.MultiplayWork, t.DemoWork,
                               t.ExtrasWork,     t.BetaWork,     t.CreditLine};
    for (int i = 0; i < 7; ++i)
        company.SavedTunables[i] = values[i];
    company.SavedQualityBase = t.QualityBase;
}

TTunables TunablesOf(const TCompany& company) {
    TTunables t;
    t.NewProjectWork = company.SavedTunables[0];
    t.TechStepWork = company.SavedTunables[1];
    t.MultiplayWork = company.SavedTunables[2];
    t.DemoWork = company.SavedTunables[3];
    t.ExtrasWork = company.SavedTunables[4];
    t.BetaWork = company.SavedTunables[5];
    t.CreditLine = company.SavedTunables[6];
    t.QualityBase = company.SavedQualityBase;
    return t;
}

TScratchFolder::TScratchFolder(const std::string& prefix) {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) throw EDataFile("There is no temporary folder to work in: " + error.message() + ".");
    std::string pattern = (base / (prefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw EDataFile("Cannot create a temporary folder in " + base.string() + ".");
    Folder = pattern + "/";
}

TScratchFolder::~TScratchFolder() {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
}

TProgressWindow::TProgressWindow(TPlayerInterface& ui, std::string text) : Ui(ui), Text(std::move(text)) {
    Ui.Progress(Text, 0);
}

void TProgressWindow::Set(int percent) {
    Percent = percent;
    Ui.Progress(Text, Percent);
    Ui.ProcessEvents();
}
