#include "company/Publisher.h"

#include <charconv>

#include "state/GameCore.h"

const char* const PublisherNames[30] = {"3D Rellms ",
                                        "4DO Soft ",
                                        "Acclame",
                                        "Inactivision ",
                                        "Alternate Games ",
                                        "Wilizzard ",
                                        "Green Byte ",
                                        "Vuena Bista ",
                                        "FullBrog ",
                                        "Cabcom ",
                                        "Savedog ",
                                        "Foodmasters ",
                                        "Arm Design ",
                                        "Decsterity ",
                                        "Dissnuey Interactive ",
                                        "Lidos ",
                                        "Digitronic Arts ",
                                        "Epix Megagame ",
                                        "Aid Software ",
                                        "Infogames ",
                                        "Outtoplay ",
                                        "Midday ",
                                        "Mintscape ",
                                        "Ocaen ",
                                        "Origone ",
                                        "Papysus ",
                                        "Saga",
                                        "Siarra ",
                                        "Phony",
                                        "Microsourse "};

const char* const ExtraCaptions[8] = {"Prof. Graphics people and equipment.",
                                      "Prof. sound studio and mucisians",
                                      "Prof. Actor help",
                                      "Prof. writer for gamemanual\\history",
                                      "Free State-of-the-art hardware upgrades",
                                      "Free Sound hardware and use of a prof. studio",
                                      "Advanced code, game and level editors",
                                      "Prof. Marketing (posters, shops etc)"};

const char* const CurrentDealHelp =
    "Objective : The number in the paranteses() is the number of weeks you have \r\nto reach your "
    "goal.\r\nIf "
    "you agree on top 50 as goal then one of your games has to reach  position 50 or\r\nbetter on the sales "
    "chart. \r\nNOTE : If you do not reach this goal the publisher will collect the signing fee a second "
    "time.";

const char* const NegotiationHelp =
    "Publiser negotiation :\r\n \r\nObjective : This is the goal that your company have to archive within "
    "the "
    "first year of the deal.\r\nIf you agree on top 50 then one of your games has to reach  position 50 "
    "or\r\nbetter on the sales chart. \r\nNOTE : If you do not reach this goal the publisher will collect "
    "the "
    "signing fee a second time.\r\n \r\nGive Them\r\n(of sales) : Try to get this value as low as possible "
    "to "
    "archive the best income for your company.\r\n \r\nSigning Fee : A higher signing fee can persuade a "
    "publisher to agree.\r\nThe more help (e.g. prof. actor help, prof. graphics... etc) the publisher "
    "offers "
    "your company the better game  you will end up with.\r\nTherefor always make sure that a lot of the "
    "boxes is "
    "checked.";

namespace {

// The best chart position of a year, or "none" for a year outside the record.
int BestPosition(const TCompany& c, int year) {
    return year >= 1980 && year <= 2010 ? c.BestChartPos[year] : NoChartPos;
}

void MakeOffer(TGameCore& game, int size) {
    const auto& c = game.State.Company;
    TPublisherDeal& offer = game.State.PublisherOffer;
    offer.SizeClass = static_cast<uint8_t>(size);
    struct TTerms {
        int Patience, PatienceDraw, NameFrom, TargetFrom, TargetDraw, Fee, FeeDraw, Share, ShareDraw,
            ExtrasDraws, ExtrasRange;
    };
    static constexpr TTerms Terms[3] = {{6, 5, 0, 100, 25, 500000, 250000, 5, 5, 5, 5},
                                        {4, 4, 10, 30, 25, 1000000, 250000, 15, 5, 6, 7},
                                        {3, 3, 20, 3, 3, 1500000, 500000, 15, 5, 10, 7}};
    const TTerms& t = Terms[size];
    offer.Patience = static_cast<uint8_t>(t.Patience + game.Random(t.PatienceDraw));
    offer.NameIndex = t.NameFrom + game.Random(10);
    offer.TargetPos = static_cast<uint8_t>(t.TargetFrom - game.Random(t.TargetDraw));
    offer.SigningFee = t.Fee + game.Random(t.FeeDraw);
    offer.SalesShare = static_cast<uint8_t>(t.Share + game.Random(t.ShareDraw));
    offer.WeeksLeft = 80 + game.Random(50);
    for (int i = 0; i < t.ExtrasDraws; ++i)
        offer.Extras[1 + game.Random(t.ExtrasRange)] = true;
    offer.Publisher = PublisherNames[offer.NameIndex];
    offer.DealYear = c.Year;
    offer.DealWeek = c.Week;
    offer.MinimumFee = offer.SigningFee - 300000;
    offer.Threshold = CheckedI32(DealScore(offer) + game.Random(50));
}

} // namespace

int64_t DealScore(const TPublisherDeal& terms) {
    const int64_t weeks = terms.WeeksLeft > 0 ? terms.WeeksLeft : 1;
    return 5000 + 5LL * terms.TargetPos - 100LL * terms.SalesShare - (terms.SigningFee / weeks) / 25;
}

void CreateStartingDeal(TGameCore& game) {
    TPublisherDeal& deal = game.State.PublisherDeal;
    deal = BlankRecord<TPublisherDeal>();
    deal.Publisher = PublisherNames[game.Random(10)];
    deal.SalesShare = static_cast<uint8_t>(6 + game.Random(4));
    deal.WeeksLeft = 100 + game.Random(10);
    deal.TargetWeeks = static_cast<uint8_t>(deal.WeeksLeft / 2 + 10);
    deal.SizeClass = 0;
    deal.TargetPos = static_cast<uint8_t>(100 - game.Random(5));
    deal.DealYear = 1984;
    deal.DealWeek = 1;
    deal.SigningFee = 300000 + game.Random(100000);
    for (int extra = 1; extra <= 8; ++extra)
        deal.Extras[extra] = false;
    deal.Extras[4] = true;
    deal.Extras[7] = true;
}

TOutcome FindPublisher(TGameCore& game, int size) {
    const auto& c = game.State.Company;
    auto& search = game.State.Publishers;
    if (size < 0 || size > 2 || !search.FindEnabled[static_cast<size_t>(size)]) return TOutcome::Refused();
    if (game.State.PublisherDeal.WeeksLeft >= 10)
        return TOutcome::Refused(
            "You already have a signed deal. You will have to Wait until theres 10 weeks left "
            "of your current deal, before finding a new publisher",
            "New deal", TMessageKind::Information);
    const char* const uninterested = "No publisher interrested";
    if (size == 1) {
        const bool charted = BestPosition(c, c.Year) <= 30 || BestPosition(c, c.Year - 1) <= 30 ||
                             BestPosition(c, c.Year - 2) <= 30;
        if (!charted)
            return TOutcome::Refused(
                "You have not Developed a game that sell enough units to\r\nenter top 30 of "
                "Sales chart in recent years.\r\nTo get a deal with publishers of this size, "
                "Develope a game the sells enough units to enter top 30",
                uninterested, TMessageKind::Information);
        if (c.OfficeIndex <= 0)
            return TOutcome::Refused(
                "Your need a greater work force so that publishers of this size can see you are "
                "seriuos. Purchase a larger office ?",
                uninterested, TMessageKind::Information);
    }
    if (size == 2) {
        if (BestPosition(c, c.Year) > 10 && BestPosition(c, c.Year - 1) > 10)
            return TOutcome::Refused(
                "In recent years you have failed to developed a top 10 (sales chart) "
                "game\r\nYou can get a deal with publishers of this size if you produce a top "
                "10 game.",
                uninterested, TMessageKind::Information);
        if (c.OfficeIndex <= 2)
            return TOutcome::Refused(
                "Your need a larger office and more workers so that publishers of this size can "
                "see you are seriuos. Purchase a larger office ?",
                uninterested, TMessageKind::Information);
    }
    // Only now, once the publisher is willing to talk: a refusal leaves the offer on the table.
    TPublisherDeal& offer = game.State.PublisherOffer;
    for (int extra = 1; extra <= 8; ++extra)
        offer.Extras[extra] = false;
    search.FindEnabled[static_cast<size_t>(size)] = false;
    search.NegotiatedSize = static_cast<uint8_t>(size);
    MakeOffer(game, size);
    search.Terms = {offer.SalesShare, offer.TargetPos, std::to_string(offer.SigningFee)};
    search.SignEnabled = false;
    search.Negotiating = true;
    search.Status.clear();
    return TOutcome::Ok();
}

TOutcome OfferDeal(TGameCore& game, int share, int objective, const std::string& feeText) {
    auto& search = game.State.Publishers;
    if (!search.Negotiating) return TOutcome::Refused();
    search.SignEnabled = false;
    // The fee field takes digits and full stops; the full stops only group the digits.
    std::string digits;
    for (char ch : feeText)
        if (ch != '.') digits += ch;
    // The fields keep what the player proposed, even when the bid is refused below.
    search.Terms = {share, objective, digits};
    int32_t fee = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), fee);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || fee < 0)
        return TOutcome::Refused("Enter the signing fee as a whole number of dollars, at most 2147483647.",
                                 "Signing Fee", TMessageKind::Warning);
    if (share < 1 || share > 33 || objective < 1 || objective > 100)
        return TOutcome::Refused("The share is 1 to 33 % and the objective a top 1 to top 100 game.", "Offer",
                                 TMessageKind::Warning);
    TPublisherDeal& offer = game.State.PublisherOffer;
    offer.TargetPos = static_cast<uint8_t>(objective);
    offer.SalesShare = static_cast<uint8_t>(share);
    offer.SigningFee = fee;
    offer.Patience = static_cast<uint8_t>(offer.Patience > 0 ? offer.Patience - 1 : 0);
    if (offer.Patience == 0) {
        search.Negotiating = false;
        search.FindEnabled = {false, false, false};
        game.Ui.ShowMessage("Your company and the publishers could not reach an agreement. Try Finding a new "
                            "publisher next week",
                            "No publisher interrested", TMessageKind::Information);
        return TOutcome::Ok();
    }
    if (offer.Patience > 4) {
        search.Status = " Publisher seems interrested";
        search.StatusColor = TPatienceColor::Lime;
    } else if (offer.Patience == 4) {
        search.Status = " Publisher getting a little impatient";
        search.StatusColor = TPatienceColor::Green;
    } else if (offer.Patience == 3) {
        search.Status = " Publisher getting impatient";
        search.StatusColor = TPatienceColor::Yellow;
    } else {
        search.Status = " Publisher getting irritated";
        search.StatusColor = TPatienceColor::Red;
    }
    const int64_t score = DealScore(offer);
    if (offer.SigningFee <= offer.MinimumFee) {
        game.Ui.ShowMessage("Signing Fee to small", "No", TMessageKind::Information);
        return TOutcome::Ok();
    }
    const int draw = game.Random(20);
    if (score - draw <= offer.Threshold && offer.SigningFee > 300000LL * (offer.SizeClass + 1)) {
        game.Ui.ShowMessage("Deal possible. The publisher is interrested", "Publisher interrested",
                            TMessageKind::Information);
        search.SignEnabled = true;
    } else {
        game.Ui.ShowMessage("The publisher is not interrested", "No", TMessageKind::Information);
    }
    return TOutcome::Ok();
}

TOutcome SignDeal(TGameCore& game) {
    auto& c = game.State.Company;
    auto& search = game.State.Publishers;
    if (!search.Negotiating || !search.SignEnabled) return TOutcome::Refused();
    const TPublisherDeal& offer = game.State.PublisherOffer;
    // Everything that can overflow first: a fee the money cannot take leaves the deal unsigned.
    const uint8_t targetWeeks = CheckedU8(offer.WeeksLeft / 2 + 10);
    const int32_t money = CheckedSub(c.Money, offer.SigningFee);
    TPublisherDeal& deal = game.State.PublisherDeal;
    deal = offer;
    deal.TargetWeeks = targetWeeks;
    c.Money = money;
    // Only chart places held from now on count for the new objective.
    c.BestChartPos[c.Year] = NoChartPos;
    search.Negotiating = false;
    search.SignEnabled = false;
    ++search.DealsSigned;
    game.Flags.ObjectiveReached = false;
    ShowPublisherLabel(game);
    game.Ui.ShowAnimatedMessage("You got a new publisher");
    if (c.Money < 0)
        game.Ui.ShowMessage("Your companys funds are negative. Goto to the bank and borrow some money",
                            "Funds", TMessageKind::Warning);
    return TOutcome::Ok();
}

void WeeklyPublisherStep(TGameCore& game) {
    auto& c = game.State.Company;
    auto& search = game.State.Publishers;
    TPublisherDeal& deal = game.State.PublisherDeal;
    search.FindEnabled = {true, true, true};
    search.Negotiating = false;
    if (deal.WeeksLeft > 0) {
        game.State.Development.ReleaseShown = true;
        --deal.WeeksLeft;
        if (deal.TargetWeeks > 1) --deal.TargetWeeks;
    } else {
        game.State.Development.ReleaseShown = false;
        game.Ui.ShowMessage(
            "You have no publisher and can therefor not release new games.\r\nGet a new publisher Deal",
            "Watchout...", TMessageKind::Warning);
    }
    if (deal.WeeksLeft >= 1 && deal.WeeksLeft <= 5)
        game.Ui.ShowMessage(
            "Get a new publisher deal soon. You have less then 5 weeks\r\nBefore you current deal ends",
            "Watchout...", TMessageKind::Warning);
    if (!game.Flags.ObjectiveReached) {
        if (deal.TargetWeeks == 6)
            game.Ui.ShowMessage("You only have 5 weeks until You have to pay your publishers signing fee "
                                "again\r\nBecause you have not reached the Objective yet",
                                "Watchout...", TMessageKind::Warning);
        if (deal.TargetWeeks == 1) {
            game.Ui.ShowMessage(
                "You Did not reach the objective set by the publisher\r\nYou will have to pay the "
                "signing fee again",
                "Objective...", TMessageKind::Warning);
            c.Money = CheckedSub(c.Money, deal.SigningFee);
            deal.TargetWeeks = 0;
        }
    }
}

void ShowPublisherLabel(TGameCore& game) {
    game.Side.Publisher = std::to_string(game.State.PublisherDeal.WeeksLeft) + " Week(s)";
}

uint32_t SalesShareOf(const TGameCore& game, uint32_t income) {
    const TPublisherDeal& deal = game.State.PublisherDeal;
    if (deal.WeeksLeft > 0) income -= (income / 100) * deal.SalesShare;
    return income;
}

int ExtrasQualityBonus(const TPublisherDeal& deal) {
    int bonus = 0;
    for (int extra = 1; extra <= 8; ++extra)
        if (deal.Extras[extra]) bonus += deal.SizeClass + 3;
    return bonus;
}
