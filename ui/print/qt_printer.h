// The mark-sheet Printer on Qt: the installed printers (through CUPS) and PDF
// files.  Needs only Qt Gui and Print Support; a QGuiApplication is created
// on first use when the program has none (the command line), on the
// offscreen platform unless another one is asked for.
#ifndef ZELVOMINI_UI_PRINT_QT_PRINTER_H_
#define ZELVOMINI_UI_PRINT_QT_PRINTER_H_

#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "output/printer.h"

class QBuffer;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace zelvo {

// True when a QGuiApplication exists or could be created.
bool EnsureQtGuiApplication();

// The installed font family used for a requested one: the family itself when
// installed, else a Japanese gothic ("ＭＳ ゴシック" is not shipped on this
// system; Noto Sans CJK JP stands in for it).
std::string ResolveFontFamily(const std::string& family);

// The drawing shared by both devices: millimetres to device pixels, a
// painter opened by the first drawing of a job, page breaks deferred until
// something is drawn on the new page.
class QtPrinterBase : public Printer {
 public:
  ~QtPrinterBase() override;

  bool SetScaleMillimetres() override;
  bool SetPaperA4() override;
  bool SetOrientation(int orientation) override;
  int Orientation() const override;
  void DrawRect(double x, double y, double width, double height, bool filled) override;
  double TextHeight(const std::string& font, double points) override;
  double TextWidth(const std::string& text, const std::string& font, double points) override;
  void DrawText(double x, double top, const std::string& text, const std::string& font,
                double points) override;
  bool NewPage() override;

  // Pages begun on the device so far (all jobs).
  int pages() const { return pages_; }
  // Everything drawn as text, per font family, for the PDF's text layer.
  const std::map<QString, QString>& drawn_text() const { return drawn_text_; }

 protected:
  QtPrinterBase() = default;
  // The device is made by the derived class, after this base.
  void SetDevice(QPagedPaintDevice* device) { device_ = device; }
  // Opens the painter (a new job) or the pending page; false when the device
  // refuses.
  bool BeginDrawing();
  // Ends the painter; true when the device finished the job.
  bool EndPainter();
  bool painting() const;
  QPainter* painter() { return painter_.get(); }

 private:
  QPagedPaintDevice* device_ = nullptr;
  std::unique_ptr<QPainter> painter_;
  double px_per_mm_ = 0;
  bool page_pending_ = false;
  bool failed_ = false;
  int pages_ = 0;
  std::map<QString, QString> drawn_text_;
};

// A printer of the system, chosen by name (the default printer until then).
class QtSystemPrinter : public QtPrinterBase {
 public:
  QtSystemPrinter();
  ~QtSystemPrinter() override;

  std::vector<std::string> PrinterNames() override;
  bool SelectPrinter(const std::string& name) override;
  bool EndJob() override;
  void AbortJob() override;

 private:
  std::unique_ptr<QPrinter> printer_;
};

// A PDF document of A4 pages, built in memory.  A document is one file, so
// the ends of jobs become page breaks; a print sent as one job per sheet
// still gives one document with every sheet.  It needs nothing of the
// program beyond Qt, so the command line can load it as a module.
class QtPdfDocument : public QtPrinterBase {
 public:
  QtPdfDocument();
  ~QtPdfDocument() override;

  std::vector<std::string> PrinterNames() override { return {}; }
  // The document is the only device: any name is refused.
  bool SelectPrinter(const std::string&) override { return false; }
  bool EndJob() override;
  void AbortJob() override;
  // Completes the document and hands over its bytes; false when nothing
  // was printed or the print was aborted.
  bool TakeDocument(std::string& bytes);

 private:
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  bool aborted_ = false;
};

// A PDF file: the document written whole through the program's file writer,
// so that a full disk or a failed close is seen before the earlier file is
// replaced (Qt's own file output reports neither).
class QtPdfPrinter : public QtPdfDocument {
 public:
  explicit QtPdfPrinter(const std::string& path);
  // Writes the file when a print is still open.
  ~QtPdfPrinter() override;
  // Completes the file; false when nothing was printed or writing failed.
  bool Finish();

 private:
  std::string path_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_PRINT_QT_PRINTER_H_
