#include "clock/frmMain.h"

#include "astro/EventBoard.h"
#include "clock/ClockCommands.h"
#include "clock/ClockModel.h"
#include "clock/FaceBox.h"
#include "clock/FaceRenderer.h"
#include "clock/HandPainting.h"
#include "clock/MainWindowDesign.h"
#include "platform/ui/FittedLabel.h"
#include "platform/ui/FormDesign.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/MessagePrompt.h"
#include "platform/ui/WindowBackground.h"
#include "platform/ui/WindowFonts.h"
#include "resources/Artwork.h"
#include "settings/LongLat.h"
#include "settings/frmLocation.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <utility>

namespace horvane {
namespace {

// "Next sunrise: Tom 7:08a", as a screen reader says a board value.
QString SpokenBoardValue(const char* column, const char* event, const std::string& text) {
    return QString("%1 %2: %3")
        .arg(column, event, text.empty() ? QString("none") : QString::fromStdString(text));
}

} // namespace

frmMain::frmMain(LongLat& store, MessagePrompt& prompt, ClockSource clock,
                 TimeZoneSource zoneSource, QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt),
      model_(new ClockModel(store, std::move(clock), std::move(zoneSource), this)) {
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

void frmMain::BuildControls() {
    setWindowTitle(kApplicationTitle);
    setWindowIcon(WindowIcon());
    resize(Pixels(0, 0, kDesignClientWidth, kDesignClientHeight).size());

    pbxFaceBase_ = new QWidget(this);
    pbxFaceBase_->setObjectName("pbxFaceBase");
    pbxFaceBase_->hide();
    pbxFace_ = new FaceBox(this);
    pbxFace_->setObjectName("pbxFace");
    pbxFace_->setAccessibleName("Clock face, turned to solar time");

    // The labels the window writes to are kept as made; two designed ones are never shown.
    const std::pair<std::string_view, FittedLabel * frmMain::*> written[] = {
        {"lblLocation", &frmMain::lblLocation_},
        {"lblTime", &frmMain::lblTime_},
        {"lblSouth", &frmMain::lblSouth_},
        {"lblNorth", &frmMain::lblNorth_},
    };
    constexpr std::string_view kNeverShown[] = {"lblUpgrade", "Label9"};
    for (const LabelDesign& design : kLabelDesigns) {
        const DesignRect& p = design.place;
        FittedLabel* label =
            AddLabel(design.name, design.text, Pixels(p.left, p.top, p.width, p.height),
                     design.alignment, design.look == LabelLook::Compass);
        for (const auto& [name, member] : written)
            if (name == design.name)
                this->*member = label;
        if (std::ranges::find(kNeverShown, design.name) != std::end(kNeverShown))
            label->hide();
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
        addBoardRow(kBoardRowDesigns[row], lblLast_[row], lblNext_[row]);
    FittedLabel *lastMoonTransit = nullptr, *nextMoonTransit = nullptr;
    addBoardRow(kMoonTransitRowDesign, lastMoonTransit, nextMoonTransit);
    lastMoonTransit->hide();
    nextMoonTransit->hide();

    timeLineWidth_ = lblTime_->width();
    lblTime_->installEventFilter(this);

    cmdLocation_ = new QPushButton(this);
    cmdLocation_->setObjectName("cmdLocation");
    cmdLocation_->setIcon(QIcon(QPixmap::fromImage(LocationButtonPicture())));
    cmdLocation_->setIconSize(LocationButtonPicture().size());
    cmdLocation_->setAccessibleName("Change location");
    const DesignRect& l = kLocationButtonDesign;
    cmdLocation_->setGeometry(Pixels(l.left, l.top, l.width, l.height));

    cmdSize_ = new QPushButton(kWidenCaption, this);
    cmdSize_->setObjectName("cmdSize");
    cmdSize_->setFont(FormFont());
    cmdSize_->setAccessibleName("Show the event board");
    const DesignRect& s = kSizeButtonDesign;
    cmdSize_->setGeometry(Pixels(s.left, s.top, s.width, s.height));

    std::vector<QWidget*> laidOut(labels_.begin(), labels_.end());
    laidOut.insert(laidOut.end(), {pbxFace_, pbxFaceBase_, cmdLocation_, cmdSize_});
    layout_ = std::make_unique<MainWindowLayout>(*this, laidOut, *cmdSize_,
                                                 *lblNext_[int(kBoardEdgeRow)], density_);
    connect(cmdLocation_, &QPushButton::clicked, this, Guarded([this] { OpenLocation(); }));
    connect(cmdSize_, &QPushButton::clicked, this, Guarded([this] { layout_->ToggleSize(); }));
}

// The model's steps in the order the tick takes them; each view step runs at its handler's
// edge, where an error stops.
void frmMain::ConnectModel() {
    connect(model_, &ClockModel::boardRefreshed, this, Guarded([this] {
                ShowBoard();
                CheckHemisphere();
            }));
    connect(model_, &ClockModel::skyChanged, this, Guarded([this] { ShowSky(); }));
    connect(model_, &ClockModel::minuteRefreshed, this,
            [this](bool placeChanged) { RunHandler([&] { ShowMinute(placeChanged); }); });
    connect(model_, &ClockModel::ticked, this, Guarded([this] { MoveFastHands(); }));
    connect(model_, &ClockModel::pausedChanged, this, Guarded([this] {
                pauseAction_->setText(model_->Paused() ? kResumeCommand : kPauseCommand);
                ShowTimeLine();
            }));
}

// Right-clicking the window offers what the tray menu offers about the clock.
void frmMain::AddContextMenu() {
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add = [this](const QString& text, auto handler) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, this, Guarded(handler));
        addAction(action);
        return action;
    };
    add(kChangeLocationCommand, [this] { OpenLocation(); });
    add(kRemindersCommand, [this] { emit remindersRequested(); });
    pauseAction_ = add(kPauseCommand, [this] { TogglePause(); });
}

void frmMain::TogglePause() {
    model_->TogglePause();
}

// The dialog is made once and kept: later clicks show it again as it was left.
void frmMain::OpenLocation() {
    if (location_ == nullptr) {
        location_ = new frmLocation(store_, prompt_, this);
        connect(location_, &frmLocation::saved, model_, &ClockModel::ForceRefresh);
    }
    location_->Open();
}

void frmMain::PlaceFaceBoxes() {
    const double scaleX = density_.x / kDesignTwipsPerPixel;
    const double scaleY = density_.y / kDesignTwipsPerPixel;
    const DesignRect& face = kFaceBoxDesign;
    const double width = face.width * scaleX, height = face.height * scaleY;
    const double left = face.left + (face.width - width) / 2;
    const double top = face.top + (face.height - height) / 2;
    pbxFace_->setGeometry(Pixels(int(std::lround(left)), int(std::lround(top)),
                                 int(std::lround(width)), int(std::lround(height))));
    const DesignRect& base = kFaceBaseBoxDesign;
    pbxFaceBase_->setGeometry(Pixels(base.left, base.top, int(std::lround(base.width * scaleX)),
                                     int(std::lround(base.height * scaleY))));
}

void frmMain::Form_Load() {
    density_ = ScreenTwipsPerPixel(screen());
    BuildControls();
    PlaceFaceBoxes();

    faceWidth_ = pbxFaceBase_->width() - 1;
    faceHeight_ = pbxFaceBase_->height() - 1;
    pivot_ = {std::int32_t(Int(faceWidth_ / 2.0)) - 2, std::int32_t(Int(faceHeight_ / 2.0)) - 2};
    MakeFaceBuffer();
    handLengths_ = MeasureHands(DesignHandLines());

    store_.LoadSettings();
    AddContextMenu();
    ConnectModel();
    model_->Start();
}

// The face is drawn at the screen's resolution: a dial and a buffer of its device pixels.
void frmMain::MakeFaceBuffer() {
    const double scale = devicePixelRatioF();
    faceBuffer_ = std::make_unique<FaceRenderer>(
        DialArtwork(scale), FaceGeometry{faceWidth_, faceHeight_, pivot_.x, pivot_.y, scale});
}

// Moved to a screen of another resolution, the face is drawn again at that one.
void frmMain::FollowScreenScale() {
    if (faceBuffer_ == nullptr || faceBuffer_->Geometry().scale == devicePixelRatioF())
        return;
    MakeFaceBuffer();
    RenderFace();
}

void frmMain::ShowBoard() {
    const EventBoard& board = model_->Board();
    for (int row = 0; row < kBoardEventCount; ++row) {
        const auto fill = [&](QLabel* label, const char* column, BoardColumn cell) {
            label->setText(QString::fromStdString(BoardCellText(board, BoardEvent(row), cell)));
            label->setAccessibleName(
                SpokenBoardValue(column, kBoardRowDesigns[row].spokenEvent,
                                 SpokenBoardCellText(board, BoardEvent(row), cell)));
        };
        fill(lblLast_[row], "Last", BoardColumn::Last);
        fill(lblNext_[row], "Next", BoardColumn::Next);
    }
}

// South of the equator north is at the top: N and S exchange their places, and their recorded
// layout positions with them.
void frmMain::CheckHemisphere() {
    const bool south = model_->SouthernHemisphere();
    if (south == southShown_)
        return;
    southShown_ = south;
    const int northTop = lblNorth_->y();
    lblNorth_->move(lblNorth_->x(), lblSouth_->y());
    lblSouth_->move(lblSouth_->x(), northTop);
    const QVariant northTag = lblNorth_->property(kTagProperty);
    lblNorth_->setProperty(kTagProperty, lblSouth_->property(kTagProperty));
    lblSouth_->setProperty(kTagProperty, northTag);
}

void frmMain::ShowSky() {
    const Colour sky = model_->SkyColour();
    if (sky == backColor_)
        return;
    backColor_ = sky;
    SetNativeBackground(*this, ToQColor(sky));
    update();
}

void frmMain::ShowMinute(bool placeChanged) {
    ApplyLabelColour();
    RenderFace();
    if (placeChanged) {
        lblLocation_->setText(QString::fromStdString(model_->Place()));
        lblLocation_->setToolTip(lblLocation_->text());
        lblLocation_->setAccessibleName("Location: " + lblLocation_->text());
    }
    const HandSwitches on = model_->Hands();
    HandLines& lines = pbxFace_->Lines();
    ShowHands(lines, on);
    PlaceSlowHands(lines, handLengths_, on, model_->Now(), model_->Seconds(), pivot_);
    ShowTimeLine();
}

void frmMain::ApplyLabelColour() {
    const QColor colour = ToQColor(model_->LabelColour());
    for (QLabel* label : labels_) {
        if (label->palette().color(QPalette::WindowText) == colour)
            continue;
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

void frmMain::RenderFace() {
    EventTimesOfDay times = model_->TimesOfDay(); // the model has put them in the face's range
    faceBuffer_->RenderFace(times, model_->Hands(), backColor_);
    pbxFace_->ShowFace(faceBuffer_->Face());
}

void frmMain::MoveFastHands() {
    PlaceFastHands(pbxFace_->Lines(), handLengths_, model_->Hands(), model_->Seconds(),
                   model_->TimesOfDay(), pivot_);
    pbxFace_->HandsMoved();
}

// A paused clock looks like a running one but for this mark: nothing else on it moves. The
// day's length is told by the tooltip and to a screen reader, not on the window.
void frmMain::ShowTimeLine() {
    const QString text = model_->Paused() ? kPausedMark + model_->TimeLine() : model_->TimeLine();
    lblTime_->setText(text);
    lblTime_->setToolTip(text + "\n" + model_->DayLength());
    lblTime_->setAccessibleName("Date, time and zone: " + text + ". " + model_->DayLength());
    PlaceTimeLine();
}

// The time line is centred under the face as designed while it fits there. A longer one may
// take the window's width, between margins as wide as the designed one's left, staying as
// near the face as that allows; what is still too long the label shortens.
void frmMain::PlaceTimeLine() {
    const QPoint home = layout_->PlaceOf(*lblTime_);
    const int needed = QFontMetrics(lblTime_->font()).horizontalAdvance(lblTime_->text());
    if (needed <= timeLineWidth_) {
        lblTime_->setGeometry(QRect(home, QSize(timeLineWidth_, lblTime_->height())));
        return;
    }
    const int margin = Pixels(kTimeLineDesign.left, 0, 0, 0).x();
    const int roomLeft = std::min(margin, home.x());
    const int roomRight = std::max(width() - margin, home.x() + timeLineWidth_);
    const int shown = std::min(needed, roomRight - roomLeft);
    const int centred = home.x() + timeLineWidth_ / 2 - shown / 2;
    const int left = std::clamp(centred, roomLeft, roomRight - shown);
    lblTime_->setGeometry(left, home.y(), shown, lblTime_->height());
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
    emit closed();
}

// While paused the settings changed since the last save are not stored.
void frmMain::Form_Unload() {
    if (!model_->Paused())
        faceBuffer_.reset();
    model_->Finish();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblTime_ && event->type() == QEvent::MouseButtonDblClick) {
        model_->TogglePause();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace horvane
