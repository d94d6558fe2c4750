#include "clock/MainWindowLayout.h"

#include "clock/FaceBox.h"
#include "testing/ClockWindowWorld.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class ClockWindowLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    void SetUp() override {
        window->show();
        QApplication::processEvents();
    }

    // Changes the window's state or size and lets the window system's events arrive.
    void Show(const std::function<void()>& change) {
        change();
        QApplication::processEvents();
    }

    // Every control that takes part in the layout, by name, with its place.
    std::map<QString, QPoint> Places() const {
        std::map<QString, QPoint> places;
        for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!control->property(kTagProperty).toString().isEmpty())
                places[control->objectName()] = control->pos();
        return places;
    }

    ClockWindowWorld world;
    std::unique_ptr<frmMain> window = world.Start();
};

} // namespace

TEST_F(ClockWindowLayout, RecordsTheDesignPlacesAndSizesAtTheFirstShow) {
    const MainWindowLayout& layout = window->Layout();
    const QSize frame = window->frameGeometry().size() - window->size();
    EXPECT_EQ(layout.InitialScaleHeight, 308);
    // Outer sizes: the design client area and the frame.
    EXPECT_EQ(layout.CompactWidth, (269 + frame.width()) * 15);
    EXPECT_EQ(layout.InitialHeight, (308 + frame.height()) * 15);
    EXPECT_EQ(layout.BoardRight, 509);
    EXPECT_EQ(layout.WideWidth, 7635);
    // Labels, hidden ones included, the two face boxes and the two buttons.
    EXPECT_EQ(Places().size(), 17u + 16u + 4u);
    EXPECT_EQ(window->lblTime->property(kTagProperty).toString(), "274,12");
    EXPECT_EQ(window->pbxFace->geometry(), QRect(24, 24, 227, 227));
    EXPECT_EQ(window->FaceWidth, 227);
    EXPECT_EQ(window->FaceCentreX, 111);
}

TEST_F(ClockWindowLayout, TheSizeButtonWidensAndRestoresTheCompactWindow) {
    QPushButton& size = *window->cmdSize;
    EXPECT_EQ(size.text(), "&>>");
    const auto designed = Places();
    size.click();
    EXPECT_EQ(window->frameGeometry().width(), 509);
    EXPECT_EQ(window->height(), 308);
    EXPECT_EQ(size.text(), "&<<");
    EXPECT_EQ(Places(), designed); // the board is only uncovered
    size.click();
    EXPECT_EQ(window->size(), QSize(269, 308));
    EXPECT_EQ(size.text(), "&>>");

    // A window dragged wider than the wide size narrows to the compact one.
    window->resize(600, 350);
    EXPECT_EQ(size.text(), "&<<");
    size.click();
    EXPECT_EQ(window->size(), QSize(269, 308));
}

// Smaller: every control stays. Half a pixel wider: each moved position is rounded, halves to
// the even neighbour.
TEST_F(ClockWindowLayout, AHalfPixelShiftRoundsEachPositionToEven) {
    const auto designed = Places();
    window->resize(200, 250);
    EXPECT_EQ(Places(), designed);
    ASSERT_EQ(designed.at("lblNorth"), QPoint(131, 248));
    ASSERT_EQ(designed.at("lblTime"), QPoint(12, 274));
    window->resize(509 + 1, 308 + 2);
    EXPECT_EQ(window->lblNorth->pos(), QPoint(132, 249));
    EXPECT_EQ(window->lblTime->pos(), QPoint(12, 275));
}

TEST_F(ClockWindowLayout, MaximizingCentresTheArrangementAndHidesTheSizeButtonRestoringPutsItBack) {
    const auto designed = Places();
    window->showMaximized();
    QApplication::processEvents();
    const QSize client = window->size();
    ASSERT_GT(client.width(), 509);
    const QPointF shift((client.width() - 509) / 2.0, (client.height() - 308) / 3.0);
    for (const auto& [name, place] : Places()) {
        const QPointF moved = QPointF(designed.at(name)) + shift;
        EXPECT_EQ(place, QPoint(int(std::nearbyint(moved.x())), int(std::nearbyint(moved.y()))))
            << name.toStdString();
    }
    EXPECT_FALSE(window->cmdSize->isVisible());
    window->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(Places(), designed);
    EXPECT_TRUE(window->cmdSize->isVisible());
}

TEST_F(ClockWindowLayout, MinimizingHidesTheSizeButtonAndRestoringShowsIt) {
    window->setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_FALSE(window->cmdSize->isVisibleTo(window.get()));
    window->setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_TRUE(window->cmdSize->isVisibleTo(window.get()));
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
