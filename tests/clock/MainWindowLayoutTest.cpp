#include "clock/MainWindowLayout.h"

#include "clock/FaceBox.h"
#include "clock/frmMain.h"
#include "settings/LongLat.h"
#include "tests/support/ClockWindowWorld.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <gtest/gtest.h>
#include <map>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class ClockWindowLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override {
        window_ = world_.Start();
        window_->show();
        QApplication::processEvents();
    }

    // What the window system adds round the client area.
    QSize Frame() const { return window_->frameGeometry().size() - window_->size(); }

    // Every control that takes part in the layout, by name, with its place.
    std::map<QString, QPoint> Places() const {
        std::map<QString, QPoint> places;
        for (QWidget* control : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!control->property(kTagProperty).toString().isEmpty())
                places[control->objectName()] = control->pos();
        return places;
    }

    ClockWindowWorld world_;
    std::unique_ptr<frmMain> window_;
};

} // namespace

TEST_F(ClockWindowLayout, RecordsTheDesignPlacesAndSizesAtTheFirstShow) {
    const MainWindowLayout& layout = window_->Layout();
    EXPECT_EQ(layout.InitialScaleHeight, 308);
    // Outer sizes: the design client area and the frame.
    EXPECT_EQ(layout.CompactWidth, (269 + Frame().width()) * 15);
    EXPECT_EQ(layout.InitialHeight, (308 + Frame().height()) * 15);
    EXPECT_EQ(layout.BoardRight, 509);
    EXPECT_EQ(layout.WideWidth, 7635);
    // Labels, hidden ones included, the two face boxes and the two buttons.
    EXPECT_EQ(Places().size(), 17u + 16u + 4u);
    EXPECT_EQ(window_->lblTime->property(kTagProperty).toString(), "274,12");
    EXPECT_EQ(window_->pbxFace->geometry(), QRect(24, 24, 227, 227));
    EXPECT_EQ(window_->FaceWidth, 227);
    EXPECT_EQ(window_->FaceCentreX, 111);
}

TEST_F(ClockWindowLayout, TheSizeButtonWidensAndRestoresTheCompactWindow) {
    QPushButton& size = *window_->cmdSize;
    EXPECT_EQ(size.text(), "&>>");
    const auto designed = Places();

    size.click();
    EXPECT_EQ(window_->frameGeometry().width(), 509);
    EXPECT_EQ(window_->height(), 308);
    EXPECT_EQ(size.text(), "&<<");
    EXPECT_EQ(Places(), designed); // the board is only uncovered

    size.click();
    EXPECT_EQ(window_->size(), QSize(269, 308));
    EXPECT_EQ(size.text(), "&>>");
}

TEST_F(ClockWindowLayout, AWindowDraggedWiderThanTheWideSizeNarrowsToTheCompactOne) {
    window_->resize(600, 350);
    EXPECT_EQ(window_->cmdSize->text(), "&<<");
    window_->cmdSize->click();
    EXPECT_EQ(window_->size(), QSize(269, 308));
}

TEST_F(ClockWindowLayout, ASmallerWindowLeavesEveryControlAtItsRecordedPlace) {
    const auto designed = Places();
    window_->resize(200, 250);
    EXPECT_EQ(Places(), designed);
}

TEST_F(ClockWindowLayout, MaximizingCentresTheArrangementAndHidesTheSizeButtonRestoringPutsItBack) {
    const auto designed = Places();
    window_->showMaximized();
    QApplication::processEvents();
    const QSize client = window_->size();
    ASSERT_GT(client.width(), 509);
    const QPoint shift(qRound((client.width() - 509) / 2.0), qRound((client.height() - 308) / 3.0));

    for (const auto& [name, place] : Places())
        EXPECT_EQ(place, designed.at(name) + shift) << name.toStdString();
    EXPECT_FALSE(window_->cmdSize->isVisible());

    window_->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(Places(), designed);
    EXPECT_TRUE(window_->cmdSize->isVisible());
}

TEST(ClockWindowFirstLayout, AFirstResizeWithNoClientHeightRecordsNothingLasting) {
    TestApplication();
    ClockWindowWorld world;
    const std::unique_ptr<frmMain> window = world.Start();
    window->resize(269, 0);
    QResizeEvent flattened(QSize(269, 0), QSize(269, 308));
    QApplication::sendEvent(window.get(), &flattened);
    EXPECT_FALSE(window->Layout().Recorded());

    window->resize(269, 308);
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->Layout().InitialScaleHeight, 308);
    EXPECT_EQ(window->cmdSize->text(), "&>>");
}
