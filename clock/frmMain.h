#pragma once
// The clock window: the face with its hands, the time line, the location line, the compass
// letters and the event board, a view of the clock model it starts.

#include "clock/Colour.h"
#include "clock/HandGeometry.h"
#include "clock/MainWindowLayout.h"
#include "clock/TickHands.h"
#include "platform/BasicTypes.h"
#include "platform/ClockSource.h"
#include "platform/TimeZoneInformation.h"
#include "platform/ui/FittedLabel.h"
#include "platform/ui/ScreenDensity.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QPushButton;

namespace horvane {

class ClockModel;
class FaceBox;
class FaceRenderer;
class LongLat;
class frmLocation;
class MessagePrompt;

class frmMain : public QWidget {
    Q_OBJECT

public:
    // Starts up at once: loads the settings from the store and runs the first tick, so the
    // window is complete when it is first shown. A registry failure raises RegistryError.
    frmMain(LongLat& store, MessagePrompt& prompt, ClockSource clock = ReadSystemClock,
            TimeZoneSource zoneSource = GetTimeZoneInformation, QWidget* parent = nullptr);
    ~frmMain() override;

    // The clock this window shows; other views follow it too.
    ClockModel& Model() const { return *model_; }
    // The Change Location dialog once it was asked for, else null.
    frmLocation* Location() const { return location_; }
    // Shows the Change Location dialog, made on first use and kept: later calls show it again
    // as it was left.
    void OpenLocation();

    // Pauses a running clock, or lets a paused one run on.
    void TogglePause();

    // The window's background colour, the sky's.
    Colour BackColor() const { return backColor_; }
    bool FaceBufferReleased() const { return !faceBuffer_; }
    const MainWindowLayout& Layout() const { return *layout_; }
    TwipsPerPixel Density() const { return density_; }

signals:
    // The user asked for the Reminders dialog from the window's context menu.
    void remindersRequested();
    // The window closed for good: the clock is finished and its settings saved unless paused.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    FittedLabel* AddLabel(const char* name, const char* text, QRect place, Qt::Alignment alignment,
                          bool compass);
    void ConnectModel();
    void AddContextMenu();
    void PlaceTimeLine();
    void PlaceFaceBoxes();
    void Form_Load();
    void Form_Unload();

    void ShowBoard();
    void CheckHemisphere();
    void ShowSky();
    void ShowMinute(bool placeChanged);
    void ApplyLabelColour();
    void RenderFace();
    void MakeFaceBuffer();
    void FollowScreenScale();
    void MoveFastHands();
    void ShowTimeLine();

    QRect Pixels(int left, int top, int width, int height) const;

    LongLat& store_;
    MessagePrompt& prompt_;
    ClockModel* model_ = nullptr; // a child
    TwipsPerPixel density_;

    // The controls, named as designed.
    FaceBox* pbxFace_ = nullptr;
    QWidget* pbxFaceBase_ = nullptr; // hidden; holds the artwork's place in the layout
    QPushButton* cmdLocation_ = nullptr;
    QPushButton* cmdSize_ = nullptr;
    FittedLabel* lblLocation_ = nullptr;
    FittedLabel* lblTime_ = nullptr;
    FittedLabel* lblSouth_ = nullptr;
    FittedLabel* lblNorth_ = nullptr;
    std::array<FittedLabel*, 7> lblLast_{}; // board rows in BoardEvent order
    std::array<FittedLabel*, 7> lblNext_{};
    std::vector<QLabel*> labels_;

    // The face's box and the hands' lengths, in face pixels.
    std::int32_t faceWidth_ = 0;
    std::int32_t faceHeight_ = 0;
    HandPivot pivot_;
    HandLengthArray handLengths_{};
    bool southShown_ = false; // N and S have exchanged places

    std::unique_ptr<MainWindowLayout> layout_;
    std::unique_ptr<FaceRenderer> faceBuffer_;
    Colour backColor_ = kWhite;
    bool followingScreen_ = false;    // screenChanged is connected
    int timeLineWidth_ = 0;           // as designed, pixels
    frmLocation* location_ = nullptr; // owned as a child window
    QAction* pauseAction_ = nullptr;  // "Pause" or "Resume" in the context menu
};

} // namespace horvane
