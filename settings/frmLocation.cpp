#include "settings/frmLocation.h"

#include "platform/LaunchFailures.h"
#include "platform/registry/RegistryNames.h"
#include "platform/ui/FittedLabel.h"
#include "platform/ui/FormDesign.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/LeaveValidation.h"
#include "platform/ui/ListComboBox.h"
#include "platform/ui/MessagePrompt.h"
#include "settings/DefaultLocations.h"
#include "settings/LocationNames.h"
#include "settings/PlaceCompleter.h"
#include "settings/StoreChange.h"
#include "shell/mShellExecute.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace horvane {
namespace {

// The hand check boxes reach almost to the next column: their captions stay whole in a type
// wider than the windows' own.
constexpr int kHandBoxWidth = 1020; // twips

// The form's design: client area and initial texts.
constexpr int kClientWidthTwips = 5040;
constexpr int kClientHeightTwips = 2370;

// The texts a new entry starts with.
constexpr const char* kNewLatitude = "0N";
constexpr const char* kNewLongitude = "0E";

// FillLocationList's list, on the dialog's combo box.
class ComboLocationList : public LocationList {
public:
    explicit ComboLocationList(ListComboBox& combo) : combo_(combo) {}
    void Clear() override { combo_.Clear(); }
    void AddItem(const std::string& name) override { combo_.AddItem(name); }
    int ListCount() const override { return combo_.ListCount(); }
    std::string List(int index) const override { return combo_.List(index); }
    void SetListIndex(int index) override { combo_.SetListIndex(index); }

private:
    ListComboBox& combo_;
};

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

void SetText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

std::string SaveQuestion(const std::string& name) {
    return "Save changes to '" + name + "'?";
}

} // namespace

frmLocation::frmLocation(LongLat& store, MessagePrompt& prompt, QWidget* parent)
    : QDialog(parent), store_(store), prompt_(prompt) {
    setWindowTitle(QStringLiteral("Change Location"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    setFont(FormFont());
    CreateControls();
    PlaceControls();
    ConnectHandlers();
    ResetControls();
}

frmLocation::~frmLocation() = default;

void frmLocation::CreateControls() {
    cbxLocation = new ListComboBox(this);
    txtLat = new QLineEdit(this);
    txtLong = new QLineEdit(this);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdNew = new QPushButton(QStringLiteral("&New"), this);
    cmdRemove = new QPushButton(QStringLiteral("&Remove"), this);
    lblLat = new FittedLabel(QStringLiteral("Latitude"), this);
    cmdFindLongLat = new QPushButton(QStringLiteral("&Find"), this);
    lblLong = new FittedLabel(QStringLiteral("Longitude"), this);
    SecondHand = new QCheckBox(QStringLiteral("Second"), this);
    Label1 = new FittedLabel(QStringLiteral("Hands:"), this);
    MinuteHand = new QCheckBox(QStringLiteral("Minute"), this);
    HourHand = new QCheckBox(QStringLiteral("Hour"), this);
    WeekHand = new QCheckBox(QStringLiteral("Week"), this);
    MoonHand = new QCheckBox(QStringLiteral("Moon"), this);
    YearHand = new QCheckBox(QStringLiteral("Year"), this);
    placeCompleter_ = new PlaceCompleter(cbxLocation);
    cmdOK->setDefault(true);
    // Screen readers name the coordinate boxes by their labels; the combo box has its own name,
    // as its text may be empty.
    lblLat->setBuddy(txtLat);
    lblLong->setBuddy(txtLong);
    cbxLocation->setAccessibleName(QStringLiteral("Location"));
    // The form's labels write their captions from the top left, as designed.
    for (QLabel* label : {lblLat, lblLong, Label1})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void frmLocation::PlaceControls() {
    struct Placement {
        QWidget* control;
        int left, top, width, height; // twips
    };
    // In tab order; the labels take no focus.
    const Placement placements[] = {
        {cbxLocation, 75, 105, 4920, 315},
        {txtLat, 1485, 510, 825, 285},
        {txtLong, 3225, 510, 825, 285},
        {cmdOK, 840, 1950, 810, 315},
        {cmdCancel, 1680, 1950, 810, 315},
        {cmdNew, 2520, 1950, 810, 315},
        {cmdRemove, 3360, 1950, 810, 315},
        {lblLat, 795, 540, 645, 210},
        {cmdFindLongLat, 4200, 1950, 810, 315},
        {lblLong, 2400, 540, 780, 210},
        {SecondHand, 870, 1005, kHandBoxWidth, 255},
        {Label1, 165, 1005, 555, 240},
        {MinuteHand, 870, 1282, kHandBoxWidth, 255},
        {HourHand, 870, 1560, kHandBoxWidth, 255},
        {WeekHand, 1950, 1005, kHandBoxWidth, 255},
        {MoonHand, 1950, 1290, kHandBoxWidth, 255},
        {YearHand, 1950, 1560, kHandBoxWidth, 255},
    };
    QWidget* previous = nullptr;
    for (const Placement& p : placements) {
        p.control->setGeometry(TwipsRect(*this, p.left, p.top, p.width, p.height));
        if (p.control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, p.control);
        previous = p.control;
    }
    setFixedSize(TwipsRect(*this, 0, 0, kClientWidthTwips, kClientHeightTwips).size());
}

void frmLocation::ConnectHandlers() {
    // Unguarded: a click raised by setting the list index from code is part of the handler
    // that set it; the box guards the clicks of the user.
    connect(cbxLocation, &ListComboBox::clicked, this, [this] { cbxLocation_Click(); });
    connect(cbxLocation, &ListComboBox::keyPressed, this,
            [this](int key) { RunHandler([&] { cbxLocation_KeyPress(key); }); });
    connect(cmdOK, &QPushButton::clicked, this, Guarded([this] { cmdOK_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this, Guarded([this] { cmdCancel_Click(); }));
    connect(cmdNew, &QPushButton::clicked, this, Guarded([this] { cmdNew_Click(); }));
    connect(cmdRemove, &QPushButton::clicked, this, Guarded([this] { cmdRemove_Click(); }));
    connect(cmdFindLongLat, &QPushButton::clicked, this,
            Guarded([this] { cmdFindLongLat_Click(); }));
    connect(&DesktopLaunchFailures(), &LaunchFailures::Failed, this,
            [this](const QString& target) { RunHandler([&] { LaunchFailed(target); }); });

    // After the box has taken the row's name.
    connect(placeCompleter_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                QMetaObject::invokeMethod(
                    this,
                    [this, chosen = placeCompleter_->Chosen(index)] {
                        RunHandler([&] { ChoosePlace(chosen); });
                    },
                    Qt::QueuedConnection);
            });

    validation_ = new LeaveValidation(this);
    validation_->AddBox(txtLat, [this](bool& cancel) { txtLat_Validate(cancel); });
    validation_->AddBox(txtLong, [this](bool& cancel) { txtLong_Validate(cancel); });
    // The dialog can always be left, and an entry removed, whatever the boxes hold.
    validation_->SetCausesValidation(cmdCancel, false);
    validation_->SetCausesValidation(cmdRemove, false);
}

void frmLocation::ResetControls() {
    // The form is designed showing the first run's place.
    cbxLocation->Clear();
    cbxLocation->SetText(kDefaultLocation.name);
    SetText(txtLat, kDefaultLocation.latitude);
    SetText(txtLong, kDefaultLocation.longitude);
    for (QCheckBox* hand : {SecondHand, MinuteHand, HourHand, WeekHand, MoonHand, YearHand})
        hand->setChecked(false);
    validation_->ForgetLeftBox();
}

void frmLocation::Open() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    ResetControls();
    Form_Load();
    show();
    cbxLocation->setFocus(Qt::OtherFocusReason);
}

void frmLocation::Form_Load() {
    bEdited = false;
    store_.LoadSettings();
    sEditName = store_.sLocation;
    ComboLocationList list(*cbxLocation);
    store_.FillLocationList(list, sEditName);
    SelectLocation();
    EnableRemove();
    const std::pair<QCheckBox*, Boolean> hands[] = {
        {SecondHand, store_.bSecondHand}, {MinuteHand, store_.bMinuteHand},
        {HourHand, store_.bHourHand},     {WeekHand, store_.bWeekHand},
        {MoonHand, store_.bMoonHand},     {YearHand, store_.bYearHand},
    };
    for (const auto& [box, shown] : hands)
        box->setChecked(shown != False);
}

void frmLocation::cbxLocation_Click() {
    cbxLocation_KeyPress(0);
}

void frmLocation::cbxLocation_KeyPress(int /*keyAscii*/) {
    if (cbxLocation->ListIndex() != iLastListIndex)
        SelectLocation();
}

void frmLocation::SelectLocation() {
    if (cbxLocation->ListIndex() == -1) {
        // The user types a name that is not an entry: a new name for the entry shown.
        if (!sEditName.empty())
            sOldName = sEditName;
    } else {
        if (bEdited) {
            const PromptAnswer answer = prompt_.AskYesNoCancel(SaveQuestion(sEditName));
            if (answer == PromptAnswer::Cancel ||
                (answer == PromptAnswer::Yes && !AcceptName(sEditName, false))) {
                ReturnToLastEntry();
                return;
            }
            if (answer == PromptAnswer::Yes)
                store_.SaveLocation(sEditName, Text(txtLong), Text(txtLat));
            bEdited = false;
        }
        // A rename not confirmed is abandoned with the entry it renamed.
        sOldName.clear();
        sEditName = cbxLocation->Text();
        std::string longitudeText;
        std::string latitudeText;
        store_.ReadLocation(sEditName, longitudeText, latitudeText);
        SetText(txtLong, longitudeText);
        SetText(txtLat, latitudeText);
        validation_->ForgetLeftBox();
        ParseLongitude(longitudeText, dEditLongitude);
        ParseLatitude(latitudeText, dEditLatitude);
    }
    iLastListIndex = std::int16_t(cbxLocation->ListIndex());
}

// Setting the index raises the click, which does nothing: the index is the one acted on.
void frmLocation::ReturnToLastEntry() {
    const std::string typed = cbxLocation->TypedText();
    cbxLocation->SetListIndex(iLastListIndex);
    if (iLastListIndex == -1)
        cbxLocation->SetText(typed);
}

void frmLocation::txtLat_Validate(bool& cancel) {
    AfterValidation(ParseLatitude(Text(txtLat), dEditLatitude),
                    "Invalid latitude ... please try again.", cancel);
}

void frmLocation::txtLong_Validate(bool& cancel) {
    AfterValidation(ParseLongitude(Text(txtLong), dEditLongitude),
                    "Invalid longitude ... please try again.", cancel);
}

// A box that parsed counts as edited, changed or not; one that did not keeps the focus.
void frmLocation::AfterValidation(bool parsed, const char* message, bool& cancel) {
    if (parsed) {
        bEdited = true;
        return;
    }
    cancel = true;
    prompt_.ShowError(message);
}

void frmLocation::cmdOK_Click() {
    const bool typed = cbxLocation->ListIndex() == -1;
    const std::string name = typed ? TypedName() : sEditName;
    if (!AcceptName(name, typed))
        return;
    sEditName = name;
    WriteAsOneChange([this] {
        SaveEditedEntry();
        store_.dLongitude = dEditLongitude;
        store_.dLatitude = dEditLatitude;
        store_.sLocation = sEditName;
        store_.bSecondHand = ToBoolean(SecondHand->isChecked());
        store_.bMinuteHand = ToBoolean(MinuteHand->isChecked());
        store_.bHourHand = ToBoolean(HourHand->isChecked());
        store_.bWeekHand = ToBoolean(WeekHand->isChecked());
        store_.bMoonHand = ToBoolean(MoonHand->isChecked());
        store_.bYearHand = ToBoolean(YearHand->isChecked());
        store_.SaveSettings();
    });
    emit saved();
    accept();
}

void frmLocation::cmdCancel_Click() {
    reject();
}

void frmLocation::cmdNew_Click() {
    if (bEdited) {
        // Cancel does not stop the New; a refused name does, so that the edits can be kept.
        PromptAnswer answer = PromptAnswer::No;
        if (!OfferToSaveEdits(answer))
            return;
        bEdited = false;
    }
    // A rename begun before New is abandoned: a later OK must not delete the entry it began on.
    sOldName.clear();
    sEditName.clear();
    dEditLongitude = 0;
    dEditLatitude = 0;
    SetText(txtLong, kNewLongitude);
    SetText(txtLat, kNewLatitude);
    validation_->ForgetLeftBox();
    cmdRemove->setEnabled(true);
    cbxLocation->SetListIndex(-1);
    cbxLocation->setFocus(Qt::OtherFocusReason);
    iLastListIndex = -1;
}

void frmLocation::cmdRemove_Click() {
    if (cbxLocation->ListIndex() == -1) {
        // A new entry or a rename in progress: the entry being renamed goes, and the
        // dialog starts a new entry without asking about edits that went with it.
        if (!sOldName.empty())
            store_.DeleteLocation(sOldName);
        sOldName.clear();
        bEdited = false;
        cmdNew_Click();
        return;
    }
    // The last remaining location cannot be removed.
    if (cbxLocation->ListCount() < 2 ||
        prompt_.AskYesNoCancel("Remove '" + sEditName + "'?") != PromptAnswer::Yes)
        return;
    store_.DeleteLocation(sEditName);
    // The removed entry's pending edits go with it, never onto the entry shown next.
    bEdited = false;
    sOldName.clear();
    ComboLocationList list(*cbxLocation);
    store_.FillLocationList(list, "");
    if (cbxLocation->ListCount() > 0) {
        sEditName = cbxLocation->List(0);
        cbxLocation->SetListIndex(0);
    }
    SelectLocation();
    EnableRemove();
}

// With nothing to open the page, the user is given its address to open another way: at once
// when no launcher can start, or when the one started gives up soon after.
void frmLocation::cmdFindLongLat_Click() {
    findPending_ = ShellLaunch(kCoordinatesPageAddress, SW_SHOWDEFAULT, "", "", "open", 0);
    if (!findPending_)
        ShowPageAddress();
}

void frmLocation::LaunchFailed(const QString& target) {
    if (!findPending_ || target != QLatin1String(kCoordinatesPageAddress))
        return;
    findPending_ = false;
    ShowPageAddress();
}

void frmLocation::ShowPageAddress() {
    prompt_.ShowError(std::string("No program could open the page. You can copy its address "
                                  "into a web browser:\n\n") +
                      kCoordinatesPageAddress);
}

void frmLocation::Form_QueryUnload(bool& cancel) {
    if (!isVisible())
        return;
    // As any control that causes validation: a box that does not parse keeps the focus.
    if (!validation_->ValidateBoxLeft()) {
        cancel = true;
        return;
    }
    PromptAnswer answer = PromptAnswer::No;
    if (bEdited && (!OfferToSaveEdits(answer) || answer == PromptAnswer::Cancel)) {
        cancel = true;
        return;
    }
    bEdited = false;
    reject();
}

void frmLocation::closeEvent(QCloseEvent* event) {
    event->accept();
    RunHandler([this] { cmdCancel_Click(); });
}

std::string frmLocation::TypedName() const {
    return TrimmedName(cbxLocation->Text());
}

bool frmLocation::AcceptName(const std::string& name, bool typed) {
    std::string problem = LocationNameProblem(name);
    if (problem.empty() && typed) {
        std::string longitudeText;
        std::string latitudeText;
        const bool renamesItself = !sOldName.empty() && FoldName(sOldName) == FoldName(name);
        if (!renamesItself && store_.ReadLocation(name, longitudeText, latitudeText))
            problem = "There is already a location named '" + name +
                      "'. Choose it from the list to change it.";
    }
    if (problem.empty())
        return true;
    prompt_.ShowError(problem);
    activateWindow(); // the message box had it
    cbxLocation->setFocus(Qt::OtherFocusReason);
    return false;
}

bool frmLocation::OfferToSaveEdits(PromptAnswer& answer) {
    const bool typed = cbxLocation->ListIndex() == -1;
    const std::string name = typed ? TypedName() : sEditName;
    answer = prompt_.AskYesNoCancel(SaveQuestion(name));
    if (answer != PromptAnswer::Yes)
        return true;
    if (!AcceptName(name, typed))
        return false;
    sEditName = name;
    WriteAsOneChange([this] { SaveEditedEntry(); });
    return true;
}

// A renamed entry is written under its new name before the old one goes, so that a failed
// write loses nothing; only a change of case, the same key, is deleted first.
void frmLocation::SaveEditedEntry() {
    const bool sameKey = !sOldName.empty() && FoldName(sOldName) == FoldName(sEditName);
    if (sameKey)
        store_.DeleteLocation(sOldName);
    store_.SaveLocation(sEditName, Text(txtLong), Text(txtLat));
    if (!sOldName.empty() && !sameKey)
        store_.DeleteLocation(sOldName);
    sOldName.clear();
}

void frmLocation::ChoosePlace(const ChosenPlace& chosen) {
    if (chosen.stored) {
        // By its name: the list may have changed since the row was offered.
        const int index = cbxLocation->findText(QString::fromStdString(chosen.name),
                                                Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            cbxLocation->SetListIndex(index);
        return;
    }
    cbxLocation->SetText(chosen.name);
    cbxLocation_KeyPress(0);
    SetText(txtLat, chosen.latitudeText);
    SetText(txtLong, chosen.longitudeText);
    bool cancel = false;
    txtLat_Validate(cancel);
    txtLong_Validate(cancel);
}

void frmLocation::EnableRemove() const {
    cmdRemove->setEnabled(cbxLocation->ListCount() >= 2);
}

} // namespace horvane
