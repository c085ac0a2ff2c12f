#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/AppServices.h"
#include "app/ListWidgetTableList.h"
#include "app/PointerRules.h"
#include "app/WidgetPointer.h"
#include "engine/ConversionHost.h"

class ConversionRun;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The main window: connection fields, FoxPro target, preview options, "Start Converting" and
// the progress bar. It restores every remembered value when it loads and remembers every
// change at once. It is the conversion run's host.
class Form1 : public QWidget, public ConversionHost {
public:
    explicit Form1(AppServices& services);
    ~Form1() override;

    // The start-up sequence. Returns false when the data-access provider is missing and the
    // program must end without showing the window.
    bool Form_Load();
    void centreOnScreen();

    // Commands behind the buttons.
    void PushButton1_Click();   // PostgreSQL "Test Connection"
    void PushButton2_Click();   // "...": browse for the folder
    void PushButton3_Click();   // "Load Sample/Example Database"
    void PushButton4_Click();   // "Help" for connecting
    void PushButton5_Click();   // general "Help"
    void PushButton7_Click();   // "Start Converting"
    void PushButton8_Click();   // FoxPro "Test Connection"
    void PushButton12_Click();  // "dbc": Advanced Options

    static QString connectHelpText();
    static QString generalHelpText();

    // Shared with the Advanced Options window and the conversion run.
    bool OptionDBC1 = false;  // the target is the container DBCPath1
    QString DBCPath1;

    ConversionRun& run() { return *run_; }
    // The SQL Preview window, once it exists, is shown through this.
    std::function<void()> previewWindow;

    // ConversionHost
    ConnectionFields connectionFields() const override;
    TableList& foxProTables() override { return list1_; }
    TableList& postgresTables() override { return list2_; }
    bool previewMode() const override;
    bool previewEachTable() const override;
    bool previewEachFile() const override;
    MessageBoxes& messages() override { return services_.messages; }
    WindowPointer& pointer() override { return pointer_; }
    ErrorReporter& errorReporter() override { return services_.errors; }
    void setProgressText(const QString& text) override;
    void setProgressValue(int percent) override;
    void processEvents() override;
    void showPreview() override;

    const WidgetPointer& windowPointer() const { return pointer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void applyTheme(const QString& path);
    void setOption(QRadioButton* button, bool value);
    void Text2_Change(const QString& text);
    void Check1_Click();
    void Option_Click();
    QString sampleFolder() const;

    AppServices& services_;
    WidgetPointer pointer_{this};
    PointerRules* rules_ = nullptr;
    QElapsedTimer sinceEvents_;

    QPushButton* PushButton5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text10 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QPushButton* PushButton12 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;

    ListWidgetTableList list1_{nullptr};
    ListWidgetTableList list2_{nullptr};
    std::unique_ptr<ConversionRun> run_;
};
