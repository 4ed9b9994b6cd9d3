#include "archive/ArchiveUi.h"

#include <cstdio>

void TQuietArchiveUi::ShowMessage(const std::string& text, const std::string& caption) {
    if (Print) std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
}

TArchiveAnswer TQuietArchiveUi::Ask(const std::string& text, const std::string& caption, TArchiveButtons) {
    if (Print)
        std::fprintf(stderr, "%s: %s -> %s\n", caption.c_str(), text.c_str(),
                     Answer == TArchiveAnswer::Yes ? "yes" : Answer == TArchiveAnswer::Cancel ? "cancel" : "no");
    return Answer;
}
