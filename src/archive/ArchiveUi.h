#pragma once
// What the archive library needs from whoever hosts it: message boxes, questions, a busy
// cursor and a chance to keep the window alive during long work. The game implements it
// with its player interface; qarc answers from its command line.
#include <string>

enum class TArchiveButtons { Ok, YesNo, YesNoCancel };
enum class TArchiveAnswer { Ok, Yes, No, Cancel };

class TArchiveUi {
public:
    virtual ~TArchiveUi() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    virtual TArchiveAnswer Ask(const std::string& text, const std::string& caption, TArchiveButtons buttons) = 0;
    virtual void SetBusy(bool) {}
    virtual void ProcessEvents() {}
};

// Prints messages to stderr and answers every question with a fixed answer; for tools and tests.
class TQuietArchiveUi : public TArchiveUi {
public:
    explicit TQuietArchiveUi(TArchiveAnswer answer = TArchiveAnswer::No, bool print = true)
        : Answer(answer), Print(print) {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    TArchiveAnswer Ask(const std::string& text, const std::string& caption, TArchiveButtons buttons) override;
    TArchiveAnswer Answer;
    bool Print;
};
