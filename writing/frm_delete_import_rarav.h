#pragma once
// Deletes every entry of one import group at once. Modeless and top-level;
// OK and Cancel unload it, so the next opening reads the groups anew.
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

class frmDeleteImportRarav : public QWidget {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front without reading
    // the groups again.
    static frmDeleteImportRarav* showWindow();
    static bool exists();

    explicit frmDeleteImportRarav(QWidget* parent = nullptr);

    void LoadImportGroups();
    // False after a message when no group is chosen.
    bool DeleteSelectedGroup();
    void BtnOK_Click();
    void BtnCancel_Click();

    QLabel* LabelSetsumei = nullptr;
    QComboBox* CmbRaravGroup = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void Form_Load();
};
