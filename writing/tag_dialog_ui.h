#pragma once
// What the list, rule and font dialogs share: a topmost window at the
// screen's corner that keeps the main window disabled while it is open,
// insertion into the editor's body, and the colour box with its name/value
// exchange and colour dialog.
#include <QPointer>
#include <QWidget>

class QComboBox;

class TagDialog : public QWidget {
    Q_OBJECT
public:
    // Closes the dialog; nothing of it is kept.
    void Unload();

protected:
    explicit TagDialog(const QString& caption);
    // Topmost at the screen's top-left corner; the main window disabled.
    void Form_Load();
    void closeEvent(QCloseEvent* event) override;
    // Main window enabled, then the text replaces the body's selection.
    static void insertIntoBody(const QString& text);
    // The selected text of the editor's body ("" without an editor).
    static QString bodySelection();
    // Called once when the dialog goes, so that the next opening starts anew.
    virtual void forgetInstance() = 0;

private:
    bool unloaded_ = false;
};

// One dialog of each kind at a time. A closed one is forgotten at once, so
// that the next opening starts anew even before the old one is deleted.
template <class Dialog>
class SingleTagDialog : public TagDialog {
public:
    static Dialog* showDialog() {
        QPointer<Dialog>& dialog = slot();
        if (!dialog) dialog = new Dialog();
        dialog->show();
        dialog->raise();
        return dialog;
    }
    static Dialog* current() { return slot(); }

protected:
    using TagDialog::TagDialog;
    void forgetInstance() override {
        if (slot().data() == static_cast<Dialog*>(this)) slot() = nullptr;
    }

private:
    static QPointer<Dialog>& slot() {
        static QPointer<Dialog> dialog;
        return dialog;
    }
};

namespace TagColors {
// The list's colour names, or none when the list cannot be read.
void fillColorNames(QComboBox* box);
// A listed name becomes its value and a listed value its name; anything else
// leaves the box as it is.
void exchange(QComboBox* box);
// The colour dialog, starting from the box's colour when it has one (else
// from dialogColor, the dialog's own last colour); any failure, Cancel
// included, leaves the box as it is.
void choose(QComboBox* box, int& dialogColor);
}  // namespace TagColors

// The position of the box's text among its items, -1 when it is typed text
// that no item carries.
int listIndexOf(const QComboBox* box);
