// The print window on Qt: the printer list from the system, the three
// frames of settings, the buttons that print, test-print, preview and save a
// PDF file.  The devices are the Qt print backend's.
#ifndef ZELVOMINI_UI_QT_PRINT_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_PRINT_WINDOW_VIEW_H_

#include <QDialog>
#include <QLineEdit>
#include <vector>

#include "ui/print_window.h"

class QPrintPreviewDialog;
class QPrinter;
class QPushButton;

namespace zelvo {

class CheckBoxView;
class ListCombo;
class OptionGroupView;

// The installed printers through CUPS, and PDF files.
class QtPrintDevices : public PrintDevices {
 public:
  std::vector<std::string> PrinterNames() override;
  std::string DefaultPrinterName() override;
  bool WithSystemPrinter(const std::function<bool(Printer&)>& print) override;
  bool WithPdfFile(const std::string& path, const std::function<bool(Printer&)>& print) override;
};

// One of the five number boxes: typed characters other than digits, "."
// and "-" are dropped.
class PrintNumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  PrintNumberEdit(PrintField* field, QWidget* parent);
  void Sync();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  PrintField* field_;
};

class PrintDialog : public QDialog {
  Q_OBJECT

 public:
  PrintDialog(frmPrint& window, QWidget* parent);
  ~PrintDialog() override;
  void Sync();
  // The preview of the sheets OK would print, modal.
  void Preview();
  // The preview over `printer`, not yet shown (owned by this dialog).
  QPrintPreviewDialog* CreatePreview(QPrinter* printer);

  PrintNumberEdit* Edit(int index) const { return edits_.at(index); }  // start end left top round
  QPushButton* OkButton() const { return ok_; }
  QPushButton* TestButton() const { return test_; }

 protected:
  void done(int result) override;

 private:
  void Act(const char* proc, const std::function<void()>& action);

  frmPrint& window_;
  std::vector<PrintNumberEdit*> edits_;
  std::vector<CheckBoxView*> checks_;
  std::vector<ListCombo*> combos_;
  OptionGroupView* pages_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* test_ = nullptr;
  QPushButton* preview_ = nullptr;
  QPushButton* pdf_ = nullptr;
  bool unloaded_ = false;
};

// The print window, modal: loads the printers and Printer.ini, and writes
// Printer.ini when it closes.
void RunPrintDialog(frmPrint& window, QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_PRINT_WINDOW_VIEW_H_
