#include "persist/SavedGame.h"

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

TProgressWindow::TProgressWindow(TPlayerInterface& ui, std::string text) : Ui(ui), Text(std::move(text)) {
    Ui.Progress(Text, 0);
}

void TProgressWindow::Set(int percent) {
    Percent = percent;
    Ui.Progress(Text, Percent);
    Ui.ProcessEvents();
}
