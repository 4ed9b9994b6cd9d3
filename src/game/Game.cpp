#include "game/Game.h"

#include "start/Folders.h"

TGame::TGame(TPlayerInterface& ui, std::optional<uint32_t> seed, std::optional<TFolders> folders)
    : TAnswerRecorderBase(ui), TGameCore(Recorder, seed, folders ? *folders : DefaultFolders()) {
    InitCalendarViews(Views.Calendar, Views.FutureReleases);
    InitChartView(Views.Chart);
}

void TGame::RefreshViews() {
    BuildFutureReleases(*this, Views.FutureReleases);
    ShowChart(*this, Views.Chart);
    ShowCalendar(*this, Views.Calendar, State.Company.Week + 1 + Views.Calendar.Offset);
}
