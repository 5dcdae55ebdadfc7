// What the mark-sheet printing needs of a printer.  The window layer
// implements it on the system's printers and on PDF files; tests record the
// calls.  Every coordinate is in millimetres from the printable origin once
// the scale is set, X to the right and Y downwards.
#ifndef ZELVOMINI_OUTPUT_PRINTER_H_
#define ZELVOMINI_OUTPUT_PRINTER_H_

#include <string>
#include <vector>

namespace zelvo {

// The values of the orientation setting.
inline constexpr int kPrintPortrait = 1;
inline constexpr int kPrintLandscape = 2;

class Printer {
 public:
  virtual ~Printer() = default;

  // The installed printers, for the printer list.
  virtual std::vector<std::string> PrinterNames() = 0;
  // False when no printer of that name is installed.
  virtual bool SelectPrinter(const std::string& name) = 0;

  // The preparation steps; each may fail.
  virtual bool SetScaleMillimetres() = 0;
  virtual bool SetPaperA4() = 0;
  virtual bool SetOrientation(int orientation) = 0;
  // The orientation in force, read back after setting it.
  virtual int Orientation() const = 0;

  // A rectangle with its top-left corner at (x, y), filled black or outlined.
  virtual void DrawRect(double x, double y, double width, double height, bool filled) = 0;
  // Height of a line of text in the font and size (points), in millimetres.
  virtual double TextHeight(const std::string& font, double points) = 0;
  // Width of the text in the font and size, in millimetres.  Devices that
  // cannot measure give EstimatedTextWidth.  Pure, so that the interface has
  // no code of its own and a printer can live in a module of its own.
  virtual double TextWidth(const std::string& text, const std::string& font, double points) = 0;
  // Text whose top-left corner is at (x, top).
  virtual void DrawText(double x, double top, const std::string& text, const std::string& font,
                        double points) = 0;

  // Ends the page; the next drawing starts a new one in the same job.
  virtual bool NewPage() = 0;
  // Ends the job and sends it.
  virtual bool EndJob() = 0;
  // Throws the job away.
  virtual void AbortJob() = 0;
};

// The estimate of a text's width in millimetres: half the size per column of
// the double-byte code page (a full-width character is square).
double EstimatedTextWidth(const std::string& text, double points);

}  // namespace zelvo

#endif  // ZELVOMINI_OUTPUT_PRINTER_H_
