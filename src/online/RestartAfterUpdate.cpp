#include "online/RestartAfterUpdate.h"

#include "online/ProgramUpdate.h"

void RestartAfterUpdate(const TRestartSteps& steps, const std::string& programArchive,
                        const std::string& programFolder, const std::string& executable, TArchiveUi& ui) {
    const char* const caption = "Updates downloaded";
    if (steps.CloseStartScreen) steps.CloseStartScreen();
    if (steps.StopMusic) steps.StopMusic();
    if (steps.Tell) steps.Tell("New updates downloaded, Restarting Game", caption);
    std::string program = executable;
    if (!programArchive.empty()) {
        const TProgramUpdate update = ApplyProgramUpdate(programArchive, programFolder, program, ui);
        if (update.Kind != TProgramUpdateKind::Applied && !update.Text.empty() && steps.Tell)
            steps.Tell(update.Text, caption);
        program = update.Executable;
    }
    if (steps.StartProgram && !steps.StartProgram(program) && steps.Tell)
        steps.Tell("Quillon could not be started again. Please start it yourself.", caption);
}
