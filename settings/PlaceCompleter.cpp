#include "settings/PlaceCompleter.h"

#include "gazetteer/PlaceFolding.h"
#include "gazetteer/PlaceText.h"
#include "gazetteer/SharedGazetteer.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/ListComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QStandardItemModel>

namespace horvane {
namespace {

constexpr int kRows = 10; // shown at most, stored places and towns together

// What each row holds besides its shown text.
enum Role : int {
    kNameRole = Qt::UserRole, // the text the box takes
    kStoredRole,              // true for a stored place
    kLatitudeRole,            // a town's coordinate texts
    kLongitudeRole,
};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A stored name matches where it, or one of its later words, starts with the typed text.
bool StartsAWord(const std::string& folded, const std::string& typed) {
    for (std::size_t at = 0;; ++at) {
        if (folded.compare(at, typed.size(), typed) == 0)
            return true;
        at = folded.find(' ', at);
        if (at == std::string::npos)
            return false;
    }
}

// Keeps the open list clear of the dialog, which is hardly taller than the list: above
// the name box where the screen has room rather than over the dialog's buttons. A press
// outside the list closes it and still reaches the control it was meant for, as with the
// lists of the platform's own boxes.
class ListPlacement : public QObject {
public:
    ListPlacement(QWidget* list, QWidget* box) : QObject(list), list_(list), box_(box) {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != list_)
            return false;
        if (event->type() == QEvent::Show || event->type() == QEvent::Move)
            KeepAboveTheBox();
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto* press = static_cast<QMouseEvent*>(event);
        if (list_->rect().contains(press->position().toPoint()))
            return false;
        list_->hide();
        PressThrough(*press);
        return true;
    }

private:
    void KeepAboveTheBox() {
        const int top = box_->mapToGlobal(QPoint(0, 0)).y() - list_->height();
        if (list_->y() != top && top >= box_->screen()->availableGeometry().top())
            list_->move(list_->x(), top);
    }

    void PressThrough(const QMouseEvent& press) {
        QWidget* window = box_->window();
        const QPoint inWindow = window->mapFromGlobal(press.globalPosition().toPoint());
        QWidget* target = window->childAt(inWindow);
        if (!target)
            return;
        // The press closed the list, so the window system's release goes nowhere: the
        // control gets both, with the focus a click gives.
        if (target->focusPolicy() & Qt::ClickFocus)
            target->setFocus(Qt::MouseFocusReason);
        const QPointF at = target->mapFrom(window, inWindow);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent replayed(type, at, press.globalPosition(), press.button(),
                                 type == QEvent::MouseButtonPress ? press.buttons() : Qt::NoButton,
                                 press.modifiers());
            QApplication::sendEvent(target, &replayed);
        }
    }

    QWidget* list_;
    QWidget* box_;
};

} // namespace

PlaceCompleter::PlaceCompleter(ListComboBox* box)
    : QCompleter(box), box_(box), rows_(new QStandardItemModel(this)) {
    setModel(rows_);
    setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    setCompletionRole(kNameRole);
    setMaxVisibleItems(kRows);
    box->lineEdit()->setCompleter(this);
    new ListPlacement(popup(), box);
    popup()->setFont(box->font()); // a window of its own: it would take the desktop's font
    connect(box->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& typed) { RunHandler([&] { Offer(typed); }); });
    QAbstractItemModel* list = box->model();
    const auto changed = [this] { storedNamesFolded_ = false; };
    connect(list, &QAbstractItemModel::rowsInserted, this, changed);
    connect(list, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(list, &QAbstractItemModel::modelReset, this, changed);
    connect(list, &QAbstractItemModel::dataChanged, this, changed);
}

ChosenPlace PlaceCompleter::Chosen(const QModelIndex& index) const {
    const auto text = [&](int role) { return index.data(role).toString().toStdString(); };
    return {index.data(kStoredRole).toBool(), text(kNameRole), text(kLatitudeRole),
            text(kLongitudeRole)};
}

QStringList PlaceCompleter::Rows() const {
    QStringList shown;
    for (int row = 0; row < rows_->rowCount(); ++row)
        shown << rows_->item(row)->text();
    return shown;
}

void PlaceCompleter::Offer(const QString& typed) {
    rows_->clear();
    const std::string folded = FoldPlaceName(typed.toStdString());
    if (!folded.empty()) {
        AddStoredPlaces(folded);
        AddTowns(typed);
    }
    if (rows_->rowCount() == 0) {
        popup()->hide();
        return;
    }
    complete();
}

void PlaceCompleter::AddStoredPlaces(const std::string& folded) {
    FoldStoredNames();
    for (const auto& [name, foldedName] : storedNames_) {
        if (rows_->rowCount() == kRows)
            break;
        if (!StartsAWord(foldedName, folded))
            continue;
        auto* item = new QStandardItem(Text(name));
        item->setData(Text(name), kNameRole);
        item->setData(true, kStoredRole);
        rows_->appendRow(item);
    }
}

void PlaceCompleter::AddTowns(const QString& typed) {
    const Gazetteer* gazetteer = SharedGazetteer();
    if (!gazetteer || rows_->rowCount() >= kRows)
        return;
    const auto stored = [this](const std::string& name) {
        for (const auto& entry : storedNames_) {
            if (entry.first == name)
                return true;
        }
        return false;
    };
    for (const PlaceMatch& match : gazetteer->Search(typed.toStdString(), kRows)) {
        const GazetteerPlace place = gazetteer->Place(match.place);
        const std::string name = StoredPlaceName(place);
        if (stored(name))
            continue;
        auto* item = new QStandardItem(Text(PlaceRowText(place)));
        item->setData(Text(name), kNameRole);
        item->setData(false, kStoredRole);
        item->setData(Text(LatitudeText(place.latitude)), kLatitudeRole);
        item->setData(Text(LongitudeText(place.longitude)), kLongitudeRole);
        rows_->appendRow(item);
        if (rows_->rowCount() == kRows)
            break;
    }
}

void PlaceCompleter::FoldStoredNames() {
    if (storedNamesFolded_)
        return;
    storedNames_.clear();
    for (int index = 0; index < box_->ListCount(); ++index) {
        std::string name = box_->List(index);
        std::string folded = FoldPlaceName(name);
        storedNames_.emplace_back(std::move(name), std::move(folded));
    }
    storedNamesFolded_ = true;
}

} // namespace horvane
