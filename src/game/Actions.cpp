#include "game/Actions.h"

#include <charconv>
#include <exception>
#include <limits>
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

// A choice the list does not hold changes nothing.
TOutcome ChooseIn(TChoiceList& list, int index) {
    if (index < 0 || index >= list.Count()) return TOutcome::Refused();
    list.Selected = index;
    return TOutcome::Ok();
}
TOutcome Run(TGame& game, const TChooseCalendarGenre& a) {
    return ChooseIn(game.State.Lists.CalendarGenres, a.Index);
}
TOutcome Run(TGame& game, const TChooseCalendarPlatform& a) {
    return ChooseIn(game.State.Lists.CalendarPlatforms, a.Index);
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

// Why the word cannot be the field, or empty when it has been read into value.
template <typename T>
std::string ReadField(const std::string& word, const TFieldRange& range, T& value) {
    const std::string allowed = std::to_string(range.Lo) + ".." + std::to_string(range.Hi);
    if constexpr (std::is_same_v<T, std::string>) {
        if (word.empty() || word[0] != '"') return std::string(range.Name) + " is not a quoted text";
        const long long length = static_cast<long long>(word.size()) - 1;
        if (length < range.Lo || length > range.Hi)
            return std::string(range.Name) + " has " + std::to_string(length) + " characters, not " + allowed;
        value = word.substr(1);
        return "";
    } else {
        long long number = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error != std::errc() || end != word.data() + word.size())
            return std::string(range.Name) + " is not a whole number: " + word.substr(0, 40);
        if (number < range.Lo || number > range.Hi)
            return std::string(range.Name) + " is " + word + ", outside " + allowed;
        if constexpr (std::is_same_v<T, bool>)
            value = number == 1;
        else
            value = static_cast<T>(number);
        return "";
    }
}

// The ranges must fit the fields' types, or a value in range could still be cut short.
template <typename T>
constexpr bool RangeFits(const TFieldRange& range) {
    if constexpr (std::is_same_v<T, std::string>)
        return range.Lo >= 0;
    else if constexpr (std::is_same_v<T, bool>)
        return range.Lo == 0 && range.Hi == 1;
    else if constexpr (std::is_enum_v<T>)
        return range.Lo >= 0;
    else
        return range.Lo >= std::numeric_limits<T>::min() && range.Hi <= std::numeric_limits<T>::max();
}

template <typename A, size_t... I>
constexpr bool RangesFitTypes(std::index_sequence<I...>) {
    using TFields = decltype(std::declval<A&>().Fields());
    return (RangeFits<std::remove_cvref_t<std::tuple_element_t<I, TFields>>>(A::Ranges[I]) && ...);
}

template <typename A>
TReadAction ParseAs(const std::vector<std::string>& words) {
    A action;
    auto fields = action.Fields();
    constexpr size_t count = std::tuple_size_v<decltype(fields)>;
    static_assert(count == A::Ranges.size(), "one range per field");
    static_assert(RangesFitTypes<A>(std::make_index_sequence<count>{}), "ranges fit the fields");
    if (words.size() != count + 1) {
        std::string names;
        for (const TFieldRange& range : A::Ranges)
            names += std::string(" ") + range.Name;
        return {std::nullopt, std::string(A::Name) + " takes " + std::to_string(count) + " field" +
                                  (count == 1 ? "" : "s") +
                                  (names.empty() ? "" : " (" + names.substr(1) + ")") + ", not " +
                                  std::to_string(words.size() - 1)};
    }
    std::string problem;
    size_t index = 0;
    std::apply(
        [&](auto&... field) {
            ((problem = problem.empty() ? ReadField(words[index + 1], A::Ranges[index], field) : problem,
              ++index),
             ...);
        },
        fields);
    if (!problem.empty()) return {std::nullopt, std::string(A::Name) + ": " + problem};
    return {TPlayerAction{action}, ""};
}

template <size_t I = 0>
TReadAction ParseNamed(const std::vector<std::string>& words) {
    if constexpr (I < std::variant_size_v<TPlayerAction>) {
        using A = std::variant_alternative_t<I, TPlayerAction>;
        if (words[0] == A::Name) return ParseAs<A>(words);
        return ParseNamed<I + 1>(words);
    } else {
        return {std::nullopt, "unknown action \"" + words[0].substr(0, 40) + "\""};
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

TReadAction ReadAction(const std::string& text) {
    const auto words = Words(text);
    if (!words) return {std::nullopt, "a quoted text is not closed"};
    if (words->empty()) return {std::nullopt, "an action is missing"};
    return ParseNamed(*words);
}

std::optional<TPlayerAction> ParseAction(const std::string& text) {
    return ReadAction(text).Action;
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
