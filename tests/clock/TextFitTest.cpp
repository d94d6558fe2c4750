// The window's lines of text keep whole or end in an ellipsis, whatever the zone, the place,
// the window's width and the type: Tahoma, or DejaVu Sans where Tahoma is missing.

#include "clock/frmMain.h"
#include "settings/DefaultLocations.h"
#include "testing/ClockWindowControls.h"
#include "testing/ClockWindowWorld.h"
#include "testing/WidgetApplication.h"

#include "settings/frmLocation.h"
#include <QCheckBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimeZone>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// What the label draws fits it, and is its whole text or the text's start and an ellipsis.
testing::AssertionResult DrawnWhole(const FittedLabel& label) {
    const QString shown = label.ShownText();
    const int drawn = QFontMetrics(label.ShownFont()).horizontalAdvance(shown);
    const bool whole = shown == label.text();
    const bool shortened =
        shown.endsWith(QChar(0x2026)) && label.text().startsWith(shown.chopped(1));
    if (drawn <= label.contentsRect().width() && (whole || shortened) &&
        label.parentWidget()->rect().contains(label.geometry()))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "\"" << label.text().toStdString() << "\" drawn as \"" << shown.toStdString()
           << "\", " << drawn << " pixels in " << label.geometry().width() << " at "
           << label.geometry().x();
}

void UseType(QWidget& window, const QString& family) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        QFont font = control->font();
        font.setFamily(family);
        control->setFont(font);
    }
}

class TextFit : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override {
        window->show();
        UseType(*window, GetParam());
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }

    // Every zone at a winter and a summer noon, in the compact and the wide window.
    template <class Check> void ForEveryZone(Check check) {
        for (const QByteArray& zone : QTimeZone::availableTimeZoneIds()) {
            setenv("TZ", zone.constData(), 1);
            tzset();
            for (const int month : {1, 7}) {
                world.clock.Set(2026, month, 15, 12, 0, 0);
                instant = QDateTime(QDate(2026, month, 15), QTime(12, 0), QTimeZone(zone))
                              .toSecsSinceEpoch();
                window->Model().ForceRefresh();
                window->Model().Tick();
                check(zone);
            }
        }
    }

    ClockWindowWorld world;
    std::int64_t instant = 0;
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>(
        world.store, world.prompt, world.clock.Source(),
        [this](TimeZoneInformation& info) { return GetTimeZoneInformationAt(info, instant); });
    const ClockWindowControls controls{*window};
};

} // namespace

// Also the tooltip's first line and what a screen reader says keep the whole text.
TEST_P(TextFit, TheTimeLineOfEveryZoneIsWholeOrShortenedAtItsEnd) {
    int shortened = 0;
    for (const bool wide : {false, true}) {
        if (wide)
            controls.cmdSize->click();
        ForEveryZone([&](const QByteArray& zone) {
            EXPECT_TRUE(DrawnWhole(*controls.lblTime)) << zone.toStdString() << " wide " << wide;
            EXPECT_EQ(controls.lblTime->toolTip().section('\n', 0, 0), controls.lblTime->text());
            EXPECT_TRUE(controls.lblTime->accessibleName().contains(controls.lblTime->text() +
                                                                    ". Day length "));
            shortened += wide && controls.lblTime->ShownText() != controls.lblTime->text();
        });
    }
    EXPECT_EQ(shortened, 0) << "the wide window has room for every zone's line";
}

// The location button beside the line never covers it.
TEST_P(TextFit, TheLocationLineOfEveryPlaceIsWholeOrShortenedAtItsEnd) {
    std::vector<std::string> names{std::string(255, 'W'), "Llanfair" + std::string(247, 'g')};
    for (const DefaultLocation& place : kDefaultLocations)
        names.emplace_back(place.name);
    for (const bool wide : {false, true}) {
        if (wide)
            controls.cmdSize->click();
        for (const std::string& name : names) {
            world.store.sLocation = name;
            window->Model().ForceRefresh();
            window->Model().Tick();
            EXPECT_TRUE(DrawnWhole(*controls.lblLocation)) << name << " wide " << wide;
            EXPECT_EQ(controls.lblLocation->toolTip().toStdString(), name);
            EXPECT_FALSE(
                controls.lblLocation->geometry().intersects(controls.cmdLocation->geometry()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Types, TextFit, testing::Values("Tahoma", "DejaVu Sans"),
                         [](const auto& info) {
                             return QString(info.param).remove(' ').toStdString();
                         });

// Every caption of both windows whole, the board's widest values among them.
TEST_P(TextFit, EveryCaptionOfBothWindowsIsWhole) {
    controls.cmdSize->click();
    controls.cmdLocation->click();
    QWidget& dialog = *window->Location();
    UseType(dialog, GetParam());
    for (FittedLabel* cell : controls.lblLast)
        cell->setText("T-10 12:00pm");
    for (FittedLabel* cell : controls.lblNext)
        cell->setText("DAT 12:00pm");
    for (QWidget* host : {static_cast<QWidget*>(window.get()), &dialog}) {
        for (QWidget* control : host->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString name = control->objectName();
            if (!control->isVisibleTo(host) || control == controls.lblTime ||
                control == controls.lblLocation)
                continue;
            if (auto* fitted = dynamic_cast<FittedLabel*>(control)) {
                EXPECT_TRUE(DrawnWhole(*fitted) && fitted->ShownText() == fitted->text())
                    << name.toStdString() << ": " << DrawnWhole(*fitted).message();
            } else if (auto* label = qobject_cast<QLabel*>(control)) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                          label->contentsRect().width())
                    << name.toStdString();
            } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
                EXPECT_LE(box->sizeHint().width(), box->width()) << name.toStdString();
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                QStyleOptionButton option;
                option.initFrom(button);
                EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove('&')),
                          button->style()
                              ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                              .width())
                    << name.toStdString();
            }
        }
    }
}
