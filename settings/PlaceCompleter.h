#pragma once
// The list of places offered below the dialog's name box as the user types: the stored
// places that match first, then the gazetteer's towns and cities.

#include <QCompleter>

#include <optional>
#include <string>
#include <vector>

class QStandardItemModel;

namespace horvane {

class ListComboBox;

// A row the user chose: a stored place by its name, or a town with the name and coordinate
// texts it would be stored under.
struct ChosenPlace {
    bool stored = false;
    std::string name;
    std::string latitudeText;
    std::string longitudeText;
};

// Lives on the box's line edit, which it fills with a chosen row's name; activated() tells
// which row was chosen (arrows and Enter, or a click; Esc closes the list). The gazetteer is
// read when the user first types.
class PlaceCompleter : public QCompleter {
public:
    explicit PlaceCompleter(ListComboBox* box);

    // The row behind an index of activated().
    ChosenPlace Chosen(const QModelIndex& index) const;

    // The rows offered for a typed text, as shown: stored names, then towns as
    // "Zürich, Zurich, CH — 47.37N 8.55E".
    QStringList Rows() const;

private:
    void Offer(const QString& typed);
    void AddStoredPlaces(const std::string& folded);
    void AddTowns(const QString& typed);
    void FoldStoredNames();

    ListComboBox* box_;
    QStandardItemModel* rows_;
    // The box's names as stored and as folded; folded again when its list changes.
    std::vector<std::pair<std::string, std::string>> storedNames_;
    bool storedNamesFolded_ = false;
};

} // namespace horvane
