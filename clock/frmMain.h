#pragma once
// The clock window: the face with its hands, the time line, the location line, the compass
// letters and the event board, brought up to date by a tick every 500 ms.

#include "astro/EventTimesOfDay.h"
#include "clock/Colour.h"
#include "clock/HandGeometry.h"
#include "clock/MainWindowLayout.h"
#include "platform/BasicTypes.h"
#include "platform/ClockSource.h"
#include "platform/LocaleNames.h"
#include "platform/TimeZoneInformation.h"
#include "platform/ui/FittedLabel.h"
#include "platform/ui/ScreenDensity.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace horvane {

class FaceBox;
class FaceRenderer;
class LongLat;
class frmLocation;
class MessagePrompt;

class frmMain : public QWidget {
public:
    // Starts up at once: loads the settings from the store and runs the first tick, so the
    // window is complete when it is first shown. A registry failure raises RegistryError.
    frmMain(LongLat& store, MessagePrompt& prompt, ClockSource clock = ReadSystemClock,
            TimeZoneSource zoneSource = GetTimeZoneInformation, QWidget* parent = nullptr);
    ~frmMain() override;

    // Minute of the last full refresh (0..1439); -1 makes the next tick refresh everything,
    // the location line included.
    std::int32_t lSecsBase = 0;

    // One firing of the timer.
    void Timer1_Timer();

    // The controls, by their design names.
    QTimer Timer1;
    FaceBox* pbxFace = nullptr;
    QWidget* pbxFaceBase = nullptr; // hidden; holds the artwork's place in the layout
    QPushButton* cmdLocation = nullptr;
    QPushButton* cmdSize = nullptr;
    QLabel* lblUpgrade = nullptr;
    FittedLabel* lblLocation = nullptr;
    FittedLabel* lblTime = nullptr;
    QLabel* lblSouth = nullptr;
    QLabel* lblNorth = nullptr;
    QLabel* lblWest = nullptr;
    QLabel* lblEast = nullptr;
    std::array<FittedLabel*, 7> lblLast{}; // board rows in BoardEvent order
    std::array<FittedLabel*, 7> lblNext{};
    QLabel* Label(const char* name) const;
    // The Change Location dialog once the location button was clicked, else null.
    frmLocation* Location() const { return location_; }
    const std::vector<QLabel*>& Labels() const { return labels_; }

    // The window's state.
    std::int32_t FaceWidth = 0;
    std::int32_t FaceHeight = 0;
    std::int32_t FaceCentreX = 0;
    std::int32_t FaceCentreY = 0;
    HandLengthArray HandLengths{};
    std::string ZoneName;
    std::int32_t UtcOffsetMinutes = 0;
    bool SouthernHemisphere = false;
    ::horvane::EventTimesOfDay EventTimesOfDay{};
    Colour LabelColour = kBlack;
    std::int16_t SkyLevel = 0;

    // The window's background colour, the sky's.
    Colour BackColor() const { return backColor_; }
    bool FaceBufferReleased() const { return !faceBuffer_; }
    const MainWindowLayout& Layout() const { return *layout_; }
    TwipsPerPixel Density() const { return density_; }

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
    void PlaceTimeLine();
    void PlaceFaceBoxes();
    void cmdLocation_Click();
    void Form_Load();
    void Form_Unload();

    void FullRefresh(DateSerial now);
    void UpdateEventBoard(DateSerial now);
    void UpdateDayLength(DateSerial now);
    void CheckHemisphere();
    void SetSkyColour(SecondsOfDay sec);
    void MinuteRefresh(DateSerial now, SecondsOfDay sec);
    void ApplyLabelColour();
    void RenderFace();
    void MakeFaceBuffer();
    void FollowScreenScale();
    void MoveFastHands(SecondsOfDay sec);
    void TogglePause();
    void ShowTimeLine();

    QRect Pixels(int left, int top, int width, int height) const;

    LongLat& store_;
    MessagePrompt& prompt_;
    ClockSource clock_;
    TimeZoneSource zoneSource_;
    LocaleNames names_;
    TwipsPerPixel density_;
    std::vector<QLabel*> labels_;
    std::unique_ptr<MainWindowLayout> layout_;
    std::unique_ptr<FaceRenderer> faceBuffer_;
    Colour backColor_ = kWhite;
    QString timeLine_;  // as the last minute wrote it, without the paused mark
    QString dayLength_; // "Day length 9h 08m (−1m 02s)" of the board's date
    // What dayLength_ was worked out for: the local day, the offset and the place.
    struct DayLengthKey {
        std::int64_t day = -1;
        std::int32_t utcOffsetMinutes = 0;
        double latitude = 0;
        double longitude = 0;
        bool operator==(const DayLengthKey&) const = default;
    };
    DayLengthKey dayLengthKey_;
    bool followingScreen_ = false; // screenChanged is connected
    int timeLineWidth_ = 0;        // as designed, pixels
    // Local calendar day of the last full refresh: with the minute stamp it tells a clock
    // that jumped to the same minute of another day.
    std::int64_t refreshedDay_ = 0;
    frmLocation* location_ = nullptr; // owned as a child window
};

} // namespace horvane
