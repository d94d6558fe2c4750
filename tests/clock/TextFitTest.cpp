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
    const bool ok =
        QFontMetrics(label.ShownFont()).horizontalAdvance(shown) <= label.contentsRect().width() &&
        (shown == label.text() ||
         (shown.endsWith(QChar(0x2026)) && label.text().startsWith(shown.chopped(1)))) &&
        label.parentWidget()->rect().contains(label.geometry());
    return testing::AssertionResult(ok)
           << '"' << label.text().toStdString() << "\" drawn as \"" << shown.toStdString() << '"';
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
    void Show() {
        window->Model().ForceRefresh();
        window->Model().Tick();
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
                Show();
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

TEST_P(TextFit, TheTimeLineOfEveryZoneIsWholeOrShortenedAtItsEnd) {
    ForEveryZone([&](const QByteArray& zone) {
        EXPECT_TRUE(DrawnWhole(*controls.lblTime)) << zone.toStdString();
    });
    controls.cmdSize->click(); // the wide window has room for every zone's line
    ForEveryZone([&](const QByteArray& zone) {
        EXPECT_EQ(controls.lblTime->ShownText(), controls.lblTime->text()) << zone.toStdString();
    });
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
            Show();
            EXPECT_TRUE(
                DrawnWhole(*controls.lblLocation) &&
                !controls.lblLocation->geometry().intersects(controls.cmdLocation->geometry()))
                << name << " wide " << wide;
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
            const auto* fitted = dynamic_cast<FittedLabel*>(control);
            const auto* label = qobject_cast<QLabel*>(control);
            const auto* box = qobject_cast<QCheckBox*>(control);
            EXPECT_TRUE(fitted  ? DrawnWhole(*fitted) && fitted->ShownText() == fitted->text()
                        : label ? label->fontMetrics().horizontalAdvance(label->text()) <=
                                      label->contentsRect().width()
                        : box ? box->sizeHint().width() <= box->width()
                              : true)
                << name.toStdString();
        }
    }
}
