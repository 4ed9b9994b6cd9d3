#include "persist/ArchiveBridge.h"

void TGameArchiveUi::ShowMessage(const std::string& text, const std::string& caption) {
    Ui.ShowMessage(text, caption,
                   caption.find("Error") != std::string::npos ? TMessageKind::Error : TMessageKind::Plain);
}

TArchiveAnswer TGameArchiveUi::Ask(const std::string& text, const std::string& caption,
                                   TArchiveButtons buttons) {
    const TButtons shown = buttons == TArchiveButtons::YesNoCancel ? TButtons::YesNoCancel
                           : buttons == TArchiveButtons::YesNo     ? TButtons::YesNo
                                                                   : TButtons::Ok;
    switch (Ui.Ask(text, caption, shown)) {
    case TAnswer::Yes:
        return TArchiveAnswer::Yes;
    case TAnswer::Cancel:
        return TArchiveAnswer::Cancel;
    case TAnswer::Ok:
        return TArchiveAnswer::Ok;
    default:
        return TArchiveAnswer::No;
    }
}
