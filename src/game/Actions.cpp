#include "game/Actions.h"

#include <charconv>
#include <exception>
#include <sstream>
#include <type_traits>
#include <vector>

#include "company/Bank.h"
#include "company/Managers.h"
#include "company/Publisher.h"
#include "dev/Port.h"
#include "dev/Preview.h"
#include "dev/Release.h"
#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "state/GameCore.h"

namespace {

// --- Running an action -------------------------------------------------------------------

// While the release calendar waits for "Choose", no week may pass: the assistants have left
// and the project waits for its release week.
bool ChoosingReleaseWeek(const TGame& game) {
    return game.State.Development.ReleaseMode;
}

TOutcome Run(TGame& game, const TEndOfWeekAction&) {
    if (ChoosingReleaseWeek(game)) return TOutcome::Refused();
    EndOfWeek(game);
    // The chart panel goes back to the weekly chart of all platforms.
    game.Views.Chart.Filter.Selected = 0;
    game.Views.Chart.AllTime = false;
    return TOutcome::Ok();
}

TOutcome Run(TGame& game, const TQuitGame&) {
    if (ChoosingReleaseWeek(game)) return TOutcome::Refused();
    game.Flags.GameOver = true;
    EndOfWeek(game);
    return TOutcome::Ok();
}

TOutcome Run(TGame& game, const TSaveAndEndTurn&) {
    if (ChoosingReleaseWeek(game)) return TOutcome::Refused();
    if (game.State.Projects[1].InProgress)
        return TOutcome::Refused(
            "Save is not possible while developing a game\r\nSave, when you have released the game", "",
            TMessageKind::Plain);
    game.Flags.SaveRequested = true;
    return Run(game, TEndOfWeekAction{});
}

TOutcome Run(TGame& game, const THireManager& a) {
    return HireManager(game, a.Kind, a.Row);
}
TOutcome Run(TGame& game, const TSetAssistants& a) {
    return SetAssistants(game, a.Kind, a.Count);
}
TOutcome Run(TGame& game, const TMoveOffice& a) {
    return MoveOffice(game, a.Building);
}
TOutcome Run(TGame& game, const TSetExtraOffices& a) {
    return SetExtraOffices(game, a.Count);
}
TOutcome Run(TGame& game, const TSetEquipment& a) {
    return SetEquipment(game, a.Which, a.On);
}
TOutcome Run(TGame& game, const TSetFacility& a) {
    return SetFacility(game, a.Which, a.Rented);
}
TOutcome Run(TGame& game, const TBorrow& a) {
    return Borrow(game, a.Amount);
}
TOutcome Run(TGame& game, const TRepay& a) {
    return Repay(game, a.Amount);
}
TOutcome Run(TGame& game, const TFindInvestor&) {
    return FindInvestor(game);
}
TOutcome Run(TGame& game, const TAcceptInvestor&) {
    return AcceptInvestor(game);
}
TOutcome Run(TGame& game, const TDeclineInvestor&) {
    return DeclineInvestor(game);
}

TOutcome Run(TGame& game, const TStartNewProject&) {
    return StartNewProject(game);
}
TOutcome Run(TGame& game, const TStartProject& a) {
    return StartProject(game, a.GameName);
}
TOutcome Run(TGame& game, const TChooseProjectGenre& a) {
    return ChooseProjectGenre(game, a.Genre);
}
TOutcome Run(TGame& game, const TChooseProjectPlatform& a) {
    return ChooseProjectPlatform(game, a.Platform);
}
TOutcome Run(TGame& game, const TSetTechnology& a) {
    return SetTechnology(game, a.Level);
}
TOutcome Run(TGame& game, const TSetProjectOption& a) {
    return SetProjectOption(game, a.Option, a.Ticked);
}
TOutcome Run(TGame& game, const TSetAdvertising& a) {
    return SetAdvertising(game, a.Level);
}
TOutcome Run(TGame& game, const TCancelProject&) {
    return CancelProject(game);
}
TOutcome Run(TGame& game, const TBeginRelease&) {
    const TOutcome outcome = BeginRelease(game);
    // The calendar opens on the coming weeks, with the first week of its chooser picked.
    if (outcome) {
        game.Views.Calendar.Offset = 0;
        game.Views.Calendar.ChooserSelected = 0;
    }
    return outcome;
}
TOutcome Run(TGame& game, const TChooseReleaseWeek& a) {
    return ChooseReleaseWeek(game, a.Offset, a.Index);
}

TOutcome Run(TGame& game, const TFindPublisher& a) {
    return FindPublisher(game, a.Size);
}
TOutcome Run(TGame& game, const TOfferDeal& a) {
    return OfferDeal(game, a.Share, a.Objective, a.Fee);
}
TOutcome Run(TGame& game, const TSignDeal&) {
    return SignDeal(game);
}
TOutcome Run(TGame& game, const TChooseStudyPlatform& a) {
    return ChooseStudyPlatform(game, a.Activity, a.Platform);
}
TOutcome Run(TGame& game, const TSetStudyStaff& a) {
    return SetStudyStaff(game, a.Activity, a.Count);
}
TOutcome Run(TGame& game, const TRequestPreview&) {
    return RequestPreview(game);
}
TOutcome Run(TGame& game, const TPortGame& a) {
    return PortGame(game, a.ReleasedIndex, a.Platform);
}
TOutcome Run(TGame& game, const TOpenDevelopment&) {
    return OpenDevelopment(game);
}

// --- The text form -----------------------------------------------------------------------

template <typename T>
void WriteField(std::ostringstream& out, const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        // Quoted, with the characters the line format uses escaped.
        out << " \"";
        for (char c : value) {
            if (c == '"' || c == '\\' || c == '|') out << '\\';
            out << c;
        }
        out << '"';
    } else if constexpr (std::is_enum_v<T>) {
        out << ' ' << static_cast<int>(value);
    } else {
        out << ' ' << static_cast<long long>(value);
    }
}

// Splits a line into words; a quoted word may hold spaces and escaped characters.
std::optional<std::vector<std::string>> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const char c = text[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < text.size()) {
                    word += text[i++];
                    continue;
                }
                word += c;
            }
            if (!closed) return std::nullopt;
            word.insert(word.begin(), '"'); // marks a quoted word
        } else {
            while (i < text.size() && text[i] != ' ')
                word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

template <typename T>
bool ReadField(const std::string& word, T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        if (word.empty() || word[0] != '"') return false;
        value = word.substr(1);
        return true;
    } else {
        long long number = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error != std::errc() || end != word.data() + word.size()) return false;
        if constexpr (std::is_same_v<T, bool>) {
            if (number != 0 && number != 1) return false;
            value = number == 1;
        } else if constexpr (std::is_enum_v<T>) {
            value = static_cast<T>(number);
        } else {
            if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max())
                return false;
            value = static_cast<T>(number);
        }
        return true;
    }
}

template <typename A>
std::optional<TPlayerAction> ParseAs(const std::vector<std::string>& words) {
    A action;
    auto fields = action.Fields();
    constexpr size_t count = std::tuple_size_v<decltype(fields)>;
    if (words.size() != count + 1) return std::nullopt;
    bool ok = true;
    size_t index = 1;
    std::apply([&](auto&... field) { ((ok = ok && ReadField(words[index++], field)), ...); }, fields);
    if (!ok) return std::nullopt;
    return TPlayerAction{action};
}

template <size_t I = 0>
std::optional<TPlayerAction> ParseNamed(const std::vector<std::string>& words) {
    if constexpr (I < std::variant_size_v<TPlayerAction>) {
        using A = std::variant_alternative_t<I, TPlayerAction>;
        if (words[0] == A::Name) return ParseAs<A>(words);
        return ParseNamed<I + 1>(words);
    } else {
        return std::nullopt;
    }
}

} // namespace

std::string FormatAction(const TPlayerAction& action) {
    return std::visit(
        [](auto a) {
            std::ostringstream out;
            out << decltype(a)::Name;
            std::apply([&](const auto&... field) { (WriteField(out, field), ...); }, a.Fields());
            return out.str();
        },
        action);
}

std::optional<TPlayerAction> ParseAction(const std::string& text) {
    const auto words = Words(text);
    if (!words || words->empty()) return std::nullopt;
    return ParseNamed(*words);
}

TOutcome Apply(TGame& game, const TPlayerAction& action) {
    TLoggedAction entry{game.State.Company.Year, game.State.Company.Week, FormatAction(action), {}};
    game.Views.InlineRefusal.clear();
    TOutcome outcome;
    {
        // Answers given while the action runs belong to its log line.
        TActionScope scope(game, entry.Answers);
        try {
            outcome = std::visit([&](const auto& a) { return Run(game, a); }, action);
        } catch (const std::exception& error) {
            outcome = TOutcome::Refused(error.what(), "Error", TMessageKind::Error);
        }
    }
    game.Log.push_back(std::move(entry));
    if (!outcome.Done && !outcome.Message.empty()) {
        if (outcome.Shown == TRefusalShown::Inline)
            game.Views.InlineRefusal = outcome.Message;
        else
            game.Ui.ShowMessage(outcome.Message, outcome.Caption, outcome.Kind);
    }
    game.RefreshViews();
    return outcome;
}
