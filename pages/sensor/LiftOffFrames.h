#pragma once

#include <QFrame>

class MyConmboBox;
class QButtonGroup;
class QCheckBox;
class QLabel;

// The lift-off distance frames. The record codes are 1 (1 mm), 2 (2 mm) and
// 3 (0.7 mm, offered only for the sensor that supports it).

struct Ui_SensorLOD
{
    QLabel* label = nullptr;
    MyConmboBox* LOD = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// The sensor page's layout: a title and a combo box of "1mm" and "2mm", with
// "0.7mm" in front of them while the sensor page has added it. Every change
// of the current item sends its code, unless sending is disabled or the
// sensor page is loading.
class SensorLOD : public QFrame
{
    Q_OBJECT

public:
    explicit SensorLOD(QWidget* parent = nullptr);
    ~SensorLOD() override;

    // Inserts "0.7mm" as the first item when the combo box holds two items.
    void AddSubMillimetreItem();
    // Removes it again when the combo box holds three items.
    void RemoveSubMillimetreItem();
    void SetComboEnabled(bool enabled);
    // Selects the item of a record's code minus 1 (0 for 1 mm, 1 for 2 mm,
    // 2 for 0.7 mm). With the 0.7 mm item a value without an item is ignored;
    // without it, the value is taken as the index, and one out of range leaves
    // no item current. Signals stay live.
    void SetLodIndex(int value);
    void SetTitleText(const QString& text);
    void SetTitleToolTip(const QString& text);

public slots:
    void on_LOD_currentIndexChanged(int index);

private:
    Ui_SensorLOD* ui;
    QString m_PictureFolder;
};

struct Ui_SensorLODB
{
    QLabel* label = nullptr;
    QCheckBox* MM1 = nullptr;
    QCheckBox* MM2 = nullptr;
    QCheckBox* MM0 = nullptr;

    void setupUi(QFrame* frame);
    void retranslateUi(QFrame* frame);
};

// A second layout, three exclusive check boxes, that no page builds. The
// 0.7 mm box MM0 starts hidden.
class SensorLODB : public QFrame
{
    Q_OBJECT

public:
    explicit SensorLODB(QWidget* parent = nullptr);
    ~SensorLODB() override;

    // Shows MM0 in front of the other two.
    void ShowSubMillimetreBox();
    void HideSubMillimetreBox();
    // Enables or disables the 1 mm and 2 mm boxes.
    void SetBoxesEnabled(bool on);
    // 0 checks 1 mm, 1 checks 2 mm, 2 checks 0.7 mm while that box is visible;
    // nothing is sent.
    void SetLodIndex(int index);
    void SetTitleText(const QString& text);
    void SetTitleToolTip(const QString& text);

public slots:
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);
    void on_MM0_clicked(bool checked);

private:
    void SendCode(int code);

    Ui_SensorLODB* ui;
    QString m_PictureFolder;
    QButtonGroup* m_Group;
};
