#include "ui/qt/print_window_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "ui/print/qt_printer.h"
#include "ui/qt/controls.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {
namespace {

constexpr const char* kView = "frmPrint";

// The preview's own printer as the mark-sheet printing's device: the ends
// of jobs become page breaks, so a print of one job per sheet still shows
// every sheet.
class PreviewPrinter : public QtPrinterBase {
 public:
  explicit PreviewPrinter(QPrinter* printer) { SetDevice(printer); }
  ~PreviewPrinter() override { EndPainter(); }
  std::vector<std::string> PrinterNames() override { return {}; }
  bool SelectPrinter(const std::string&) override { return true; }
  bool EndJob() override { return NewPage(); }
  void AbortJob() override { EndPainter(); }
};

QLabel* Label(const char* text, QWidget* parent) { return new QLabel(ToQt(text), parent); }

}  // namespace

// ---------------------------------------------------------------- devices

std::vector<std::string> QtPrintDevices::PrinterNames() {
  std::vector<std::string> names;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(FromQt(n));
  return names;
}

std::string QtPrintDevices::DefaultPrinterName() {
  return FromQt(QPrinterInfo::defaultPrinterName());
}

bool QtPrintDevices::WithSystemPrinter(const std::function<bool(Printer&)>& print) {
  QtSystemPrinter printer;
  return print(printer);
}

bool QtPrintDevices::WithPdfFile(const std::string& path,
                                 const std::function<bool(Printer&)>& print) {
  QtPdfPrinter printer(path);
  bool printed = print(printer);
  if (!printed) {
    printer.AbortJob();
    return false;
  }
  return printer.Finish();
}

// ---------------------------------------------------------------- number box

PrintNumberEdit::PrintNumberEdit(PrintField* field, QWidget* parent)
    : QLineEdit(parent), field_(field) {
  setAlignment(Qt::AlignRight);
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    SafeCall(kView, "txt_Change", [&] { field_->text = FromQt(text); });
  });
  Sync();
}

void PrintNumberEdit::Sync() {
  QString text = ToQt(field_->text);
  if (this->text() != text) setText(text);
  setEnabled(field_->enabled);
}

void PrintNumberEdit::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  // Keys without a character (arrows, Delete, Tab) keep their use.
  if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
    bool allowed = false;
    SafeCall(kView, "txt_KeyPress",
             [&] { allowed = frmPrint::NumberKeyAllowed(text[0].unicode()); });
    if (!allowed) {
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

// ---------------------------------------------------------------- dialog

PrintDialog::PrintDialog(frmPrint& window, QWidget* parent) : QDialog(parent), window_(window) {
  setWindowTitle(ToQt(frmPrint::kTitle));
  auto run = [this](const char* proc, const std::function<void()>& a) { Act(proc, a); };
  auto* layout = new QVBoxLayout(this);

  auto* top = new QGridLayout;
  auto* printers = new ListCombo(&window.Printers(), run, this);
  top->addWidget(BuddyLabel(frmPrint::kPrinterLabel, printers, this), 0, 0);
  printers->setObjectName("cmbPrinters");
  printers->setMinimumWidth(260);
  // Shown while the list is empty: OK and the test print then refuse, the
  // PDF file still works.
  printers->setPlaceholderText(ToQt("（プリンタがインストールされていません）"));
  top->addWidget(printers, 0, 1);
  top->addWidget(Label(frmPrint::kDirectionLabel, this), 1, 0);
  auto* direction = new ListCombo(&window.Direction(), run, this);
  direction->setObjectName("cmbDirection");
  top->addWidget(direction, 1, 1, Qt::AlignLeft);
  combos_ = {printers, direction};
  top->setColumnStretch(1, 1);
  layout->addLayout(top);

  auto edit = [this](PrintField* field, int width) {
    auto* e = new PrintNumberEdit(field, this);
    e->setFixedWidth(width);
    edits_.push_back(e);
    return e;
  };
  auto* middle = new QHBoxLayout;
  auto* range = new QGroupBox(ToQt(frmPrint::kRangeFrame), this);
  auto* range_grid = new QGridLayout(range);
  pages_ = new OptionGroupView(&window.Pages(), run, range);
  range_grid->addWidget(pages_, 0, 0, 2, 1, Qt::AlignTop);
  PrintNumberEdit* start = edit(&window.Start(), 48);
  PrintNumberEdit* end = edit(&window.End(), 48);
  range_grid->addWidget(start, 0, 1);
  range_grid->addWidget(BuddyLabel(frmPrint::kStartLabel, start, range), 0, 2);
  range_grid->addWidget(end, 1, 1);
  range_grid->addWidget(BuddyLabel(frmPrint::kEndLabel, end, range), 1, 2);
  middle->addWidget(range);

  auto* shift = new QGroupBox(ToQt(frmPrint::kShiftFrame), this);
  auto* shift_grid = new QGridLayout(shift);
  shift_grid->addWidget(Label(frmPrint::kLeftLabel, shift), 0, 0);
  shift_grid->addWidget(edit(&window.Left(), 64), 0, 1);
  shift_grid->addWidget(Label(frmPrint::kMillimetres, shift), 0, 2);
  shift_grid->addWidget(Label(frmPrint::kTopLabel, shift), 1, 0);
  shift_grid->addWidget(edit(&window.Top(), 64), 1, 1);
  shift_grid->addWidget(Label(frmPrint::kMillimetres, shift), 1, 2);
  middle->addWidget(shift);
  layout->addLayout(middle);

  auto* detail = new QGroupBox(ToQt(frmPrint::kDetailFrame), this);
  auto* detail_grid = new QGridLayout(detail);
  auto check = [&](CheckBox* box) {
    auto* c = new CheckBoxView(box, run, detail);
    checks_.push_back(c);
    return c;
  };
  auto* round_row = new QHBoxLayout;
  round_row->addWidget(check(&window.OpenNoCheck()));
  round_row->addWidget(edit(&window.OpenNo(), 56));
  auto* kumi = new ListCombo(&window.Kumi(), run, detail);
  kumi->setObjectName("cmbKumi");
  combos_.push_back(kumi);
  round_row->addWidget(kumi);
  round_row->addStretch();
  detail_grid->addLayout(round_row, 0, 0, 1, 2);
  detail_grid->addWidget(check(&window.OpenTextCheck()), 1, 0);
  detail_grid->addWidget(check(&window.PageTextCheck()), 1, 1);
  detail_grid->addWidget(check(&window.FileTextCheck()), 2, 0);
  detail_grid->addWidget(check(&window.SendDataCheck()), 2, 1);
  layout->addWidget(detail);

  auto* buttons = new QHBoxLayout;
  test_ = new QPushButton(ToQt(frmPrint::kTestButton), this);
  QPushButton* test = test_;
  preview_ = new QPushButton(ToQt(frmPrint::kPreviewButton), this);
  pdf_ = new QPushButton(ToQt(frmPrint::kPdfButton), this);
  ok_ = new QPushButton("OK", this);
  auto* cancel = new QPushButton(ToQt("キャンセル"), this);
  buttons->addWidget(test);
  buttons->addWidget(preview_);
  buttons->addWidget(pdf_);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  ok_->setDefault(true);

  connect(test, &QPushButton::clicked, this,
          [this] { Act("cmdTest_Click", [this] { window_.TestPrint(); }); });
  connect(preview_, &QPushButton::clicked, this, [this] { Preview(); });
  connect(pdf_, &QPushButton::clicked, this,
          [this] { Act("cmdPdf_Click", [this] { window_.SavePdf(); }); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    Act("cmdOK_Click", [this] { window_.Ok(); });
    if (window_.Closed()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    SafeCall(kView, "cmdCancel_Click", [this] { window_.Cancel(); });
    reject();
  });
  window_.on_changed = [this] { Sync(); };
  Sync();
}

PrintDialog::~PrintDialog() { window_.on_changed = nullptr; }

void PrintDialog::Act(const char* proc, const std::function<void()>& action) {
  SafeCall(kView, proc, action);
  Sync();
}

void PrintDialog::Sync() {
  for (PrintNumberEdit* e : edits_) e->Sync();
  for (CheckBoxView* c : checks_) c->Sync();
  for (ListCombo* c : combos_) c->Sync();
  pages_->Sync();
  ok_->setEnabled(window_.OkEnabled());
  test_->setEnabled(window_.TestEnabled());
  preview_->setEnabled(window_.HasSingles());
  pdf_->setEnabled(window_.HasSingles());
}

QPrintPreviewDialog* PrintDialog::CreatePreview(QPrinter* printer) {
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageOrientation(window_.Direction().ListIndex() == 1 ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
  auto* preview = new QPrintPreviewDialog(printer, this);
  preview->setWindowTitle(ToQt(frmPrint::kPreviewButton));
  connect(preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
    SafeCall(kView, "cmdPreview_Click", [&] {
      PreviewPrinter device(p);
      window_.PrintPreview(device);
    });
  });
  preview->resize(900, 700);
  return preview;
}

void PrintDialog::Preview() {
  SafeCall(kView, "cmdPreview_Click", [this] {
    if (!window_.CanPreview()) return;
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<QPrintPreviewDialog> preview(CreatePreview(&printer));
    preview->exec();
  });
}

// Printer.ini is written however the window closes: OK, cancel, Escape or
// the title bar.
void PrintDialog::done(int result) {
  if (!unloaded_) {
    unloaded_ = true;
    SafeCall(kView, "Form_Unload", [this] { window_.Unload(); });
  }
  QDialog::done(result);
}

void RunPrintDialog(frmPrint& window, QWidget* parent) {
  QtPrintDevices devices;
  window.Load(devices);
  PrintDialog dialog(window, parent);
  dialog.exec();
}

}  // namespace zelvo
