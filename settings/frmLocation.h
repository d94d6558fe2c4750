#pragma once
// The Change Location dialog: choosing the current place, editing, adding, renaming and
// removing places, and switching the six hands on and off.

#include "settings/LongLat.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QString;

namespace horvane {

class ListComboBox;
class LeaveValidation;
class PlaceCompleter;
struct ChosenPlace;
class MessagePrompt;
enum class PromptAnswer;

// The address the Find button opens: a page listing place coordinates by country.
inline constexpr const char* kCoordinatesPageAddress =
    "https://www.heavens-above.com/countries.aspx";

// Not modal: the main window keeps ticking while it is open. The object lives for the
// whole run; its fields keep their values between openings.
class frmLocation : public QDialog {
    Q_OBJECT

public:
    // store: the run's one store, owned by the main window; prompt: the message boxes.
    frmLocation(LongLat& store, MessagePrompt& prompt, QWidget* parent = nullptr);
    ~frmLocation() override;

    // Loads and shows the dialog without blocking; when it is already shown, only raises
    // and activates it.
    void Open();

    // The handlers. A RegistryError raised by the store leaves them uncaught.
    void Form_Load();
    void cbxLocation_Click();
    void cbxLocation_KeyPress(int keyAscii);
    void txtLat_Validate(bool& cancel);
    void txtLong_Validate(bool& cancel);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdNew_Click();
    void cmdRemove_Click();
    void cmdFindLongLat_Click();
    // Asked before the main window closes while the dialog is open: edits not saved yet are
    // offered for saving with the dialog's own question, a box that does not parse keeps the
    // focus. Sets cancel to keep both windows open; otherwise the dialog closes.
    void Form_QueryUnload(bool& cancel);

    ListComboBox* cbxLocation;
    QLineEdit* txtLat;
    QLineEdit* txtLong;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdNew;
    QPushButton* cmdRemove;
    QLabel* lblLat;
    QPushButton* cmdFindLongLat;
    QLabel* lblLong;
    QCheckBox* SecondHand;
    QLabel* Label1;
    QCheckBox* MinuteHand;
    QCheckBox* HourHand;
    QCheckBox* WeekHand;
    QCheckBox* MoonHand;
    QCheckBox* YearHand;

    PlaceCompleter* Places() const { return placeCompleter_; }

signals:
    // OK has saved the place and the hands: the clock shows them from its next tick.
    void saved();

protected:
    // The close box acts as Cancel: nothing is validated or saved.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void PlaceControls();
    void ConnectHandlers();
    // The controls as the form designs them, before the store fills them.
    void ResetControls();
    void SelectLocation();
    void AfterValidation(bool parsed, const char* message, bool& cancel);
    // Back to the entry last acted on, keeping the edits (and a name being typed).
    void ReturnToLastEntry();
    // The name typed in the combo box, without the blanks at its ends.
    std::string TypedName() const;
    // A name the store cannot keep, or a typed one that would overwrite another stored
    // place: tells the user, puts the focus in the combo box and answers false.
    bool AcceptName(const std::string& name, bool typed);
    // Asks whether to save the edits of the entry shown, under the name typed when there is
    // one; Yes saves them. Answers false when Yes met a name the store cannot keep.
    bool OfferToSaveEdits(PromptAnswer& answer);
    // Writes the entry under sEditName and deletes the one it renamed.
    void SaveEditedEntry();
    void EnableRemove() const;
    // The launcher given target gave up soon after Find started it.
    void LaunchFailed(const QString& target);
    // Tells the user that nothing could open the coordinates page, with its address to copy.
    void ShowPageAddress();
    // A row of the places offered below the name box: a stored place is chosen as from the
    // list, a town's name and coordinates are filled in as if typed.
    void ChoosePlace(const ChosenPlace& chosen);

    LongLat& store_;
    MessagePrompt& prompt_;
    LeaveValidation* validation_ = nullptr;
    PlaceCompleter* placeCompleter_ = nullptr;

    double dEditLongitude = 0; // degrees, east positive
    double dEditLatitude = 0;  // degrees, north positive
    std::string sEditName;
    bool bEdited = false;
    std::int16_t iLastListIndex = -1;
    std::string sOldName;
    // Find handed the page over and has not heard of a failure since: of several launches
    // failing together, the user hears once.
    bool findPending_ = false;
};

} // namespace horvane
