#include "ui/print/qt_printer.h"

#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <string_view>

#include "ui/print/pdf_text_layer.h"

namespace zelvo {
namespace {

constexpr double kMmPerInch = 25.4;
// Outline width of the test print's marks.
constexpr double kOutlineMm = 0.15;

QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont MakeFont(const std::string& family, double points) {
  QFont font(Q(ResolveFontFamily(family)));
  font.setPointSizeF(points > 0 ? points : 1);
  return font;
}

}  // namespace

bool EnsureQtGuiApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;  // a console application: no fonts
  // The command line has no display; printing needs none.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char arg0[] = "zelvomini";
  static char* argv[] = {arg0, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  return app != nullptr;
}

std::string ResolveFontFamily(const std::string& family) {
  if (!EnsureQtGuiApplication()) return family;
  const QStringList installed = QFontDatabase::families();
  QStringList wanted = {Q(family)};
  if (family == "ＭＳ ゴシック") wanted << "MS Gothic";
  wanted << "Noto Sans CJK JP"
         << "Noto Sans Mono CJK JP"
         << "IPAGothic"
         << "IPAexGothic"
         << "VL Gothic"
         << "TakaoGothic";
  for (const QString& w : wanted) {
    if (installed.contains(w, Qt::CaseInsensitive)) return w.toStdString();
  }
  return family;
}

// ---- QtPrinterBase ----------------------------------------------------------

QtPrinterBase::~QtPrinterBase() = default;

bool QtPrinterBase::painting() const { return painter_ && painter_->isActive(); }

bool QtPrinterBase::SetScaleMillimetres() {
  if (!device_) return false;
  int dpi = device_->logicalDpiY();
  if (dpi <= 0) return false;
  px_per_mm_ = dpi / kMmPerInch;
  return true;
}

bool QtPrinterBase::SetPaperA4() {
  if (!device_) return false;
  QPageSize a4(QPageSize::A4);
  // While a job is open the layout cannot change; the same paper is fine.
  if (device_->pageLayout().pageSize().isEquivalentTo(a4)) return true;
  if (painting()) return false;
  return device_->setPageSize(a4);
}

bool QtPrinterBase::SetOrientation(int orientation) {
  if (!device_) return false;
  QPageLayout::Orientation o =
      orientation == kPrintLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (device_->pageLayout().orientation() == o) return true;
  if (painting()) return false;
  return device_->setPageOrientation(o);
}

int QtPrinterBase::Orientation() const {
  if (!device_) return kPrintPortrait;
  return device_->pageLayout().orientation() == QPageLayout::Landscape ? kPrintLandscape
                                                                       : kPrintPortrait;
}

bool QtPrinterBase::BeginDrawing() {
  if (failed_ || !device_) return false;
  if (px_per_mm_ <= 0 && !SetScaleMillimetres()) return false;
  if (!painting()) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(device_)) {
      painter_.reset();
      failed_ = true;
      return false;
    }
    page_pending_ = false;
    ++pages_;
    // Device pixels may differ from the logical resolution (high-resolution
    // printers): measure once the painter is open.
    px_per_mm_ = device_->logicalDpiY() / kMmPerInch;
  } else if (page_pending_) {
    page_pending_ = false;
    if (!device_->newPage()) {
      failed_ = true;
      return false;
    }
    ++pages_;
  }
  return true;
}

bool QtPrinterBase::EndPainter() {
  page_pending_ = false;
  if (!painter_) return !failed_;
  bool ok = painter_->end();
  painter_.reset();
  bool result = ok && !failed_;
  failed_ = false;
  return result;
}

void QtPrinterBase::DrawRect(double x, double y, double width, double height, bool filled) {
  if (!BeginDrawing()) return;
  QRectF r(x * px_per_mm_, y * px_per_mm_, width * px_per_mm_, height * px_per_mm_);
  if (filled) {
    painter_->fillRect(r, Qt::black);
  } else {
    QPen pen(Qt::black);
    pen.setWidthF(kOutlineMm * px_per_mm_);
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(r);
  }
}

double QtPrinterBase::TextHeight(const std::string& font, double points) {
  if (!device_ || px_per_mm_ <= 0) return points * kMmPerInch / 72;
  QFontMetricsF metrics(MakeFont(font, points), device_);
  return metrics.height() / px_per_mm_;
}

double QtPrinterBase::TextWidth(const std::string& text, const std::string& font, double points) {
  if (!device_ || px_per_mm_ <= 0) {
    // Without a device, half the size per column of the double-byte code
    // page: one for ASCII and the narrow katakana, two for the rest.
    int columns = 0;
    for (char32_t c : Q(text).toUcs4()) columns += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
    return columns * points * kMmPerInch / 72 / 2;
  }
  QFontMetricsF metrics(MakeFont(font, points), device_);
  return metrics.horizontalAdvance(Q(text)) / px_per_mm_;
}

void QtPrinterBase::DrawText(double x, double top, const std::string& text, const std::string& font,
                             double points) {
  if (!BeginDrawing()) return;
  QFont f = MakeFont(font, points);
  drawn_text_[f.family()] += Q(text);
  painter_->setFont(f);
  painter_->setPen(Qt::black);
  QFontMetricsF metrics(f, device_);
  painter_->drawText(QPointF(x * px_per_mm_, top * px_per_mm_ + metrics.ascent()), Q(text));
}

bool QtPrinterBase::NewPage() {
  // The break waits for the next drawing, so a job never ends on a blank page.
  if (painting()) page_pending_ = true;
  return !failed_;
}

// ---- QtSystemPrinter --------------------------------------------------------

QtSystemPrinter::QtSystemPrinter() {
  EnsureQtGuiApplication();
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SetDevice(printer_.get());
}

QtSystemPrinter::~QtSystemPrinter() {
  if (painting()) AbortJob();
}

std::vector<std::string> QtSystemPrinter::PrinterNames() {
  std::vector<std::string> names;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(n.toStdString());
  return names;
}

bool QtSystemPrinter::SelectPrinter(const std::string& name) {
  if (painting()) return false;
  if (!QPrinterInfo::availablePrinterNames().contains(Q(name))) return false;
  printer_->setPrinterName(Q(name));
  return printer_->isValid();
}

bool QtSystemPrinter::EndJob() { return EndPainter(); }

void QtSystemPrinter::AbortJob() {
  if (painting()) printer_->abort();
  EndPainter();
}

// ---- QtPdfPrinter -----------------------------------------------------------

QtPdfDocument::QtPdfDocument() : buffer_(std::make_unique<QBuffer>()) {
  EnsureQtGuiApplication();
  buffer_->open(QIODevice::WriteOnly);
  writer_ = std::make_unique<QPdfWriter>(buffer_.get());
  writer_->setCreator("Zelvo mini");
  writer_->setResolution(600);
  // The sheet's coordinates start at the paper's corner.
  writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  SetDevice(writer_.get());
}

QtPdfDocument::~QtPdfDocument() {
  if (painting()) EndPainter();
}

bool QtPdfDocument::EndJob() {
  if (aborted_) return false;
  return NewPage();
}

void QtPdfDocument::AbortJob() {
  aborted_ = true;
  if (painting()) EndPainter();
  buffer_->buffer().clear();
}

bool QtPdfDocument::TakeDocument(std::string& bytes) {
  if (aborted_ || !painting()) return false;
  if (!EndPainter()) return false;
  const QByteArray pdf = RestoreDrawnCodePoints(buffer_->data(), drawn_text());
  // A painter that ended without a document has written nothing worth a file.
  if (!pdf.startsWith("%PDF-")) return false;
  bytes.assign(pdf.constData(), static_cast<size_t>(pdf.size()));
  return true;
}

}  // namespace zelvo
