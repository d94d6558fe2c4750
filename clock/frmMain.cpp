#include "clock/frmMain.h"

#include "astro/DateSerial.h"
#include "astro/DayLength.h"
#include "astro/EventBoard.h"
#include "astro/TimeUnits.h"
#include "astro/TimeZone.h"
#include "clock/FaceBox.h"
#include "clock/FaceRenderer.h"
#include "clock/HandPainting.h"
#include "clock/MainWindowDesign.h"
#include "clock/TickHands.h"
#include "clock/TickValues.h"
#include "platform/ui/FittedLabel.h"
#include "platform/ui/FormDesign.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/MessagePrompt.h"
#include "platform/ui/WindowBackground.h"
#include "platform/ui/WindowFonts.h"
#include "resources/Artwork.h"
#include "settings/LongLat.h"
#include "settings/frmLocation.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace horvane {
namespace {

constexpr int kTickIntervalMs = 500;
constexpr std::int32_t kForcedRefresh = -1;

HandSwitches HandSwitchesOf(const LongLat& store) {
    return {store.bSecondHand != False, store.bMinuteHand != False, store.bHourHand != False,
            store.bWeekHand != False,   store.bMoonHand != False,   store.bYearHand != False};
}

// "Next sunrise: Tom 7:08a", as a screen reader says a board value.
QString SpokenBoardValue(const char* column, const char* event, const std::string& text) {
    return QString("%1 %2: %3")
        .arg(column, event, text.empty() ? QString("none") : QString::fromStdString(text));
}

} // namespace

frmMain::frmMain(LongLat& store, MessagePrompt& prompt, ClockSource clock,
                 TimeZoneSource zoneSource, QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt), clock_(std::move(clock)),
      zoneSource_(std::move(zoneSource)), names_(UserLocaleNames()) {
    Form_Load();
}

frmMain::~frmMain() = default;

QRect frmMain::Pixels(int left, int top, int width, int height) const {
    return TwipsRect(*this, left, top, width, height);
}

FittedLabel* frmMain::AddLabel(const char* name, const char* text, QRect place,
                               Qt::Alignment alignment, bool compass) {
    auto* label = new FittedLabel(QString::fromUtf8(text), this);
    label->setObjectName(name);
    // Location names are shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFont(compass ? WindowFont(kCompassPointSize, true) : FormFont());
    labels_.push_back(label);
    return label;
}

QLabel* frmMain::Label(const char* name) const {
    return findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void frmMain::BuildControls() {
    setWindowTitle(kApplicationTitle);
    setWindowIcon(WindowIcon());
    resize(Pixels(0, 0, kDesignClientWidth, kDesignClientHeight).size());

    pbxFaceBase = new QWidget(this);
    pbxFaceBase->setObjectName("pbxFaceBase");
    pbxFaceBase->hide();
    pbxFace = new FaceBox(this);
    pbxFace->setObjectName("pbxFace");
    pbxFace->setAccessibleName("Clock face, turned to solar time");

    for (const LabelDesign& design : kLabelDesigns) {
        const DesignRect& p = design.place;
        AddLabel(design.name, design.text, Pixels(p.left, p.top, p.width, p.height),
                 design.alignment, design.look == LabelLook::Compass);
    }
    const auto addBoardRow = [this](const BoardRowDesign& row, FittedLabel*& last,
                                    FittedLabel*& next) {
        last = AddLabel(row.lastName, kBoardValueText,
                        Pixels(kBoardLastLeft, row.top, kBoardValueWidth, kBoardRowHeight),
                        Qt::AlignRight, false);
        next = AddLabel(row.nextName, kBoardValueText,
                        Pixels(kBoardNextLeft, row.top, kBoardValueWidth, kBoardRowHeight),
                        Qt::AlignRight, false);
    };
    for (int row = 0; row < kBoardEventCount; ++row)
        addBoardRow(kBoardRowDesigns[row], lblLast[row], lblNext[row]);
    FittedLabel *lastMoonTransit = nullptr, *nextMoonTransit = nullptr;
    addBoardRow(kMoonTransitRowDesign, lastMoonTransit, nextMoonTransit);
    lastMoonTransit->hide();
    nextMoonTransit->hide();
    Label("Label9")->hide();

    lblUpgrade = Label("lblUpgrade");
    lblLocation = static_cast<FittedLabel*>(Label("lblLocation"));
    lblTime = static_cast<FittedLabel*>(Label("lblTime"));
    timeLineWidth_ = lblTime->width();
    lblSouth = Label("lblSouth");
    lblNorth = Label("lblNorth");
    lblWest = Label("lblWest");
    lblEast = Label("lblEast");
    lblTime->installEventFilter(this);

    cmdLocation = new QPushButton(this);
    cmdLocation->setObjectName("cmdLocation");
    cmdLocation->setIcon(QIcon(QPixmap::fromImage(LocationButtonPicture())));
    cmdLocation->setIconSize(LocationButtonPicture().size());
    cmdLocation->setAccessibleName("Change location");
    const DesignRect& l = kLocationButtonDesign;
    cmdLocation->setGeometry(Pixels(l.left, l.top, l.width, l.height));

    cmdSize = new QPushButton(kWidenCaption, this);
    cmdSize->setObjectName("cmdSize");
    cmdSize->setFont(FormFont());
    cmdSize->setAccessibleName("Show the event board");
    const DesignRect& s = kSizeButtonDesign;
    cmdSize->setGeometry(Pixels(s.left, s.top, s.width, s.height));

    std::vector<QWidget*> laidOut(labels_.begin(), labels_.end());
    laidOut.insert(laidOut.end(), {pbxFace, pbxFaceBase, cmdLocation, cmdSize});
    layout_ = std::make_unique<MainWindowLayout>(*this, laidOut, *cmdSize, *Label(kBoardEdgeLabel),
                                                 density_);
    connect(cmdLocation, &QPushButton::clicked, this, Guarded([this] { cmdLocation_Click(); }));
    connect(cmdSize, &QPushButton::clicked, this, Guarded([this] { layout_->ToggleSize(); }));

    Timer1.setInterval(kTickIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, Guarded([this] { Timer1_Timer(); }));
}

// The dialog is made once and kept: later clicks show it again as it was left.
void frmMain::cmdLocation_Click() {
    if (location_ == nullptr)
        location_ = new frmLocation(
            store_, prompt_, [this] { lSecsBase = kForcedRefresh; }, this);
    location_->Open();
}

// The face artwork is a picture of fixed size: on a screen of another density the face boxes
// keep their design size in pixels, pbxFace staying centred where it was.
void frmMain::PlaceFaceBoxes() {
    const double scaleX = density_.x / kDesignTwipsPerPixel;
    const double scaleY = density_.y / kDesignTwipsPerPixel;
    const DesignRect& face = kFaceBoxDesign;
    const double width = face.width * scaleX, height = face.height * scaleY;
    const double left = face.left + (face.width - width) / 2;
    const double top = face.top + (face.height - height) / 2;
    pbxFace->setGeometry(Pixels(int(std::lround(left)), int(std::lround(top)),
                                int(std::lround(width)), int(std::lround(height))));
    const DesignRect& base = kFaceBaseBoxDesign;
    pbxFaceBase->setGeometry(Pixels(base.left, base.top, int(std::lround(base.width * scaleX)),
                                    int(std::lround(base.height * scaleY))));
}

void frmMain::Form_Load() {
    density_ = ScreenTwipsPerPixel(screen());
    BuildControls();
    lblUpgrade->hide();
    PlaceFaceBoxes();

    FaceWidth = pbxFaceBase->width() - 1;
    FaceHeight = pbxFaceBase->height() - 1;
    FaceCentreX = std::int32_t(Int(FaceWidth / 2.0)) - 2;
    FaceCentreY = std::int32_t(Int(FaceHeight / 2.0)) - 2;
    MakeFaceBuffer();
    HandLengths = MeasureHands(DesignHandLines());

    store_.LoadSettings();
    lSecsBase = kForcedRefresh;
    // Running before the first tick, so that the time line it writes is not marked paused;
    // the timer first fires from the event loop.
    Timer1.start();
    Timer1_Timer();
}

// The face is drawn at the screen's resolution: a dial and a buffer of its device pixels.
void frmMain::MakeFaceBuffer() {
    const double scale = devicePixelRatioF();
    faceBuffer_ = std::make_unique<FaceRenderer>(
        DialArtwork(scale), FaceGeometry{FaceWidth, FaceHeight, FaceCentreX, FaceCentreY, scale});
}

// Moved to a screen of another resolution, the face is drawn again at that one.
void frmMain::FollowScreenScale() {
    if (faceBuffer_ == nullptr || faceBuffer_->Geometry().scale == devicePixelRatioF())
        return;
    MakeFaceBuffer();
    RenderFace();
}

void frmMain::Timer1_Timer() {
    const LocalClockReading reading = clock_();
    const auto sec = SecondsOfDay(Int(SecondsSinceMidnight(reading)));
    const DateSerial now = ToDateSerial(reading);
    const std::int64_t day = DayNumberOf(now);
    const bool newMinute = sec / kSecondsPerMinute != lSecsBase || day != refreshedDay_;
    if (newMinute)
        FullRefresh(now);
    if (newMinute || InTwilightRamp(sec, EventTimesOfDay))
        SetSkyColour(sec);
    if (newMinute) {
        MinuteRefresh(now, sec);
        refreshedDay_ = day;
    }
    MoveFastHands(sec);
}

void frmMain::FullRefresh(DateSerial now) {
    const ZoneReading zone = ReadTimeZone(zoneSource_);
    ZoneName = zone.ZoneName;
    UtcOffsetMinutes = zone.UtcOffsetMinutes;
    UpdateEventBoard(now);
    CheckHemisphere();
}

// The day's length changes with the date, the offset and the place only: it is worked out once
// for each, not at every minute. The offset of now stands for the day before's too.
void frmMain::UpdateDayLength(DateSerial now) {
    const DayLengthKey key{DayNumberOf(now), UtcOffsetMinutes, store_.dLatitude, store_.dLongitude};
    if (key == dayLengthKey_)
        return;
    dayLengthKey_ = key;
    dayLength_ = QString::fromStdString(DayLengthText(ComputeDayLength(
        now, UtcOffsetMinutes, UtcOffsetMinutes, store_.dLatitude, store_.dLongitude)));
}

void frmMain::UpdateEventBoard(DateSerial now) {
    const EventBoard board =
        ComputeEventBoard(now, UtcOffsetMinutes, store_.dLatitude, store_.dLongitude);
    EventTimesOfDay = board.timesOfDay;
    UpdateDayLength(now);
    for (int row = 0; row < kBoardEventCount; ++row) {
        const auto fill = [&](QLabel* label, const char* column, BoardColumn cell) {
            label->setText(QString::fromStdString(BoardCellText(board, BoardEvent(row), cell)));
            label->setAccessibleName(
                SpokenBoardValue(column, kBoardRowDesigns[row].spokenEvent,
                                 SpokenBoardCellText(board, BoardEvent(row), cell)));
        };
        fill(lblLast[row], "Last", BoardColumn::Last);
        fill(lblNext[row], "Next", BoardColumn::Next);
    }
}

// South of the equator north is at the top: N and S exchange their places, and their recorded
// layout positions with them.
void frmMain::CheckHemisphere() {
    const bool south = store_.dLatitude < 0;
    if (south == SouthernHemisphere)
        return;
    SouthernHemisphere = south;
    const int northTop = lblNorth->y();
    lblNorth->move(lblNorth->x(), lblSouth->y());
    lblSouth->move(lblSouth->x(), northTop);
    const QVariant northTag = lblNorth->property(kTagProperty);
    lblNorth->setProperty(kTagProperty, lblSouth->property(kTagProperty));
    lblSouth->setProperty(kTagProperty, northTag);
}

void frmMain::SetSkyColour(SecondsOfDay sec) {
    SkyLevel = SkyLevelAt(sec, EventTimesOfDay);
    const Colour sky = SkyColour(SkyLevel);
    if (sky == backColor_)
        return;
    backColor_ = sky;
    SetNativeBackground(*this, ToQColor(sky));
    update();
}

void frmMain::MinuteRefresh(DateSerial now, SecondsOfDay sec) {
    LabelColour = LabelColourFor(SkyLevel);
    ApplyLabelColour();
    RenderFace();
    if (lSecsBase == kForcedRefresh) {
        lblLocation->setText(QString::fromStdString(store_.sLocation));
        lblLocation->setToolTip(lblLocation->text());
        lblLocation->setAccessibleName("Location: " + lblLocation->text());
    }
    const HandSwitches on = HandSwitchesOf(store_);
    HandLines& lines = pbxFace->Lines();
    ShowHands(lines, on);
    PlaceSlowHands(lines, HandLengths, on, now, sec, {FaceCentreX, FaceCentreY});
    timeLine_ = QString::fromStdString(TimeLineText(now, names_, ZoneName));
    ShowTimeLine();
    lSecsBase = sec / kSecondsPerMinute;
}

void frmMain::ApplyLabelColour() {
    const QColor colour = ToQColor(LabelColour);
    for (QLabel* label : labels_) {
        if (label->palette().color(QPalette::WindowText) == colour)
            continue;
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

void frmMain::RenderFace() {
    faceBuffer_->RenderFace(EventTimesOfDay, HandSwitchesOf(store_), backColor_);
    pbxFace->ShowFace(faceBuffer_->Face());
}

void frmMain::MoveFastHands(SecondsOfDay sec) {
    PlaceFastHands(pbxFace->Lines(), HandLengths, HandSwitchesOf(store_), sec, EventTimesOfDay,
                   {FaceCentreX, FaceCentreY});
    pbxFace->HandsMoved();
}

// A paused clock looks like a running one but for this mark: nothing else on it moves. The
// day's length is told by the tooltip and to a screen reader, not on the window.
void frmMain::ShowTimeLine() {
    const QString text = Timer1.isActive() ? timeLine_ : kPausedMark + timeLine_;
    lblTime->setText(text);
    lblTime->setToolTip(text + "\n" + dayLength_);
    lblTime->setAccessibleName("Date, time and zone: " + text + ". " + dayLength_);
    PlaceTimeLine();
}

// The time line is centred under the face as designed while it fits there. A longer one may
// take the window's width, between margins as wide as the designed one's left, staying as
// near the face as that allows; what is still too long the label shortens.
void frmMain::PlaceTimeLine() {
    const QPoint home = layout_->PlaceOf(*lblTime);
    const int needed = QFontMetrics(lblTime->font()).horizontalAdvance(lblTime->text());
    if (needed <= timeLineWidth_) {
        lblTime->setGeometry(QRect(home, QSize(timeLineWidth_, lblTime->height())));
        return;
    }
    const int margin = Pixels(kTimeLineDesign.left, 0, 0, 0).x();
    const int roomLeft = std::min(margin, home.x());
    const int roomRight = std::max(width() - margin, home.x() + timeLineWidth_);
    const int shown = std::min(needed, roomRight - roomLeft);
    const int centred = home.x() + timeLineWidth_ / 2 - shown / 2;
    const int left = std::clamp(centred, roomLeft, roomRight - shown);
    lblTime->setGeometry(left, home.y(), shown, lblTime->height());
}

void frmMain::TogglePause() {
    if (Timer1.isActive())
        Timer1.stop();
    else
        Timer1.start();
    ShowTimeLine();
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(backColor_));
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetNativeBackground(*this, ToQColor(backColor_));
    layout_->Resized();
    PlaceTimeLine();
}

// The native window exists from the first showing: the sky colour reaches its edges from then.
void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SetNativeBackground(*this, ToQColor(backColor_));
    if (!followingScreen_) {
        followingScreen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this,
                Guarded([this] { FollowScreenScale(); }));
    }
    FollowScreenScale();
}

// Minimizing changes no size, and a window manager may report a new state after the resize
// that went with it: the layout pass runs again once the state is known.
void frmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && layout_->Recorded())
        layout_->Resized();
}

// An open location dialog may keep the window open, to save or keep its edits.
void frmMain::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    RunHandler([this, &cancel] {
        if (location_ != nullptr)
            location_->Form_QueryUnload(cancel);
        if (!cancel)
            Form_Unload();
    });
    if (cancel) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

// While paused the settings changed since the last save are not stored.
void frmMain::Form_Unload() {
    const bool running = Timer1.isActive();
    Timer1.stop();
    if (!running)
        return;
    faceBuffer_.reset();
    store_.SaveSettings();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblTime && event->type() == QEvent::MouseButtonDblClick) {
        TogglePause();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace horvane
