// A negotiation on the "Publishers Deal" panel: finding a small publisher, a refused fee, the
// publisher's own terms, and "Sign".
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "GuiTestSupport.h"
#include "ui/panels/PublisherPanel.h"
#include "ui/window/SidePanel.h"

namespace {

TEST_F(TGuiTest, ANegotiationFromASmallPublisherToTheSignature) {
    Start();
    Open("Publishers Deal");
    auto* page = dynamic_cast<TPublisherPanel*>(Window->Panel("Publishers Deal"));
    ASSERT_NE(page, nullptr);
    const TPublisherDeal& deal = Game().State.PublisherDeal;
    EXPECT_EQ(page->LengthLabel()->text(), QStringLiteral("%1 Week(s)").arg(deal.WeeksLeft));
    EXPECT_EQ(page->ObjectiveLabel()->text(), QStringLiteral("Produce a top %1 Game").arg(deal.TargetPos));
    EXPECT_TRUE(page->DealExtra(4)->isChecked());
    EXPECT_TRUE(page->DealExtra(7)->isChecked());
    EXPECT_FALSE(page->DealExtra(1)->isChecked());
    EXPECT_FALSE(page->NegotiationPanel()->isVisible());

    // Too early: the deal runs for many more weeks.
    QTest::mouseClick(page->FindLink(0), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Caption, "New deal");
    Game().State.PublisherDeal.WeeksLeft = 5;
    QTest::mouseClick(page->FindLink(0), Qt::LeftButton);
    ASSERT_TRUE(page->NegotiationPanel()->isVisible());
    const TPublisherDeal& offer = Game().State.PublisherOffer;
    EXPECT_FALSE(page->FindLink(0)->isEnabled());
    EXPECT_EQ(page->OfferPublisherLabel()->text().trimmed(),
              QString::fromLatin1(offer.Publisher.Str()).trimmed());
    EXPECT_EQ(page->ShareField()->value(), offer.SalesShare);
    EXPECT_EQ(page->ObjectiveField()->value(), offer.TargetPos);
    EXPECT_FALSE(page->SignButton()->isEnabled());

    // The fee field takes digits and full stops only; an empty one is refused, patience kept.
    const int patience = offer.Patience;
    const QString asking = page->FeeField()->text();
    page->FeeField()->clear();
    QTest::keyClicks(page->FeeField(), "12a");
    EXPECT_EQ(page->FeeField()->text(), "12");
    page->FeeField()->clear();
    page->ShareField()->setValue(offer.SalesShare + 1);
    QTest::mouseClick(page->OfferButton(), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Caption, "Signing Fee");
    EXPECT_EQ(offer.Patience, patience);
    // The refused bid keeps what was typed instead of the publisher's asking terms.
    EXPECT_EQ(page->ShareField()->value(), offer.SalesShare + 1);
    EXPECT_TRUE(page->FeeField()->text().isEmpty());
    page->ShareField()->setValue(offer.SalesShare);

    // The publisher's own terms are always good enough.
    page->FeeField()->setText(asking);
    QTest::mouseClick(page->OfferButton(), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Text, "Deal possible. The publisher is interrested");
    EXPECT_EQ(offer.Patience, patience - 1);
    EXPECT_FALSE(page->StatusLine()->text().isEmpty());
    ASSERT_TRUE(page->SignButton()->isEnabled());
    const int32_t money = Game().State.Company.Money;
    QTest::mouseClick(page->SignButton(), Qt::LeftButton);
    EXPECT_TRUE(Modals().Saw("You got a new publisher"));
    EXPECT_EQ(Game().State.Company.Money, money - asking.toInt());
    EXPECT_FALSE(page->NegotiationPanel()->isVisible());
    EXPECT_EQ(page->PublisherLabel()->text(), QString::fromLatin1(deal.Publisher.Str()));
    EXPECT_EQ(Window->Side().PublisherLabel()->text(), QStringLiteral("%1 Week(s)").arg(deal.WeeksLeft));
}

} // namespace
