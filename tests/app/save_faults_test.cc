// Every kind of file the program writes, saved under the faults a user's
// disk can throw at it: the save reports the failure and the previous file
// stays as it was, and once the fault is gone the next save succeeds.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "core/pendralcove_download.h"
#include "core/team_name_add.h"
#include "files/csv_file.h"
#include "files/main_ini.h"
#include "files/printer_ini.h"
#include "files/toto_settings.h"
#include "files/tpd_file.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/temp_dir.h"
#ifdef ZELVO_HAVE_QT_PRINT
#include "output/mark_sheet.h"
#include "ui/print/qt_printer.h"
#endif

namespace zelvo {
namespace {

namespace fs = std::filesystem;
using testing::CrLf;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A small tmpfs over a folder, holding what the folder held, so that a test
// run as root can fill the disk for real or make the folder read-only
// (permission bits do not stop root).  Unmounting brings the folder's own
// contents back.
class TmpfsOver {
 public:
  explicit TmpfsOver(std::string folder) : folder_(std::move(folder)) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder_)) {
      if (e.is_regular_file()) files[fs::relative(e.path(), folder_).string()] = Slurp(e.path());
    }
    if (::geteuid() != 0 ||
        ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=1m,mode=0755") != 0) {
      return;
    }
    mounted_ = true;
    for (const auto& [rel, bytes] : files) {
      fs::path p = fs::path(folder_) / rel;
      fs::create_directories(p.parent_path());
      std::ofstream(p, std::ios::binary) << bytes;
    }
  }
  ~TmpfsOver() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  // Writes a filler file until the disk is full.
  void Fill() {
    std::string chunk(4096, 'f');
    int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    while (::write(fd, chunk.data(), chunk.size()) > 0) {
    }
    ::close(fd);
  }
  bool ReadOnly() {
    return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m") == 0;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
};

// The writer's temporary files beside a target.
int Temporaries(const std::string& target) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(ParentDir(target))) {
    n += IsWriterTemporaryName(e.path().filename().string());
  }
  return n;
}

struct FileKind {
  std::string name;
  std::string target;
  // Saves content number n (each n gives other bytes); true on success.
  std::function<bool(int n)> save;
  // Whether the writer itself tells the user (the PDF's caller does).
  bool reports = true;
};

class SaveFaultsTest : public ::testing::Test {
 protected:
  SaveFaultsTest() {
    dir_.MakeMinimalSysData();
    fs::create_directories(Path("docs"));
    dir_.WriteCp932("SysData/PendralcoveServer.ini", CrLf({"BaseUrl = " + server_.Url("/")}));
  }
  ~SaveFaultsTest() override { WriteFaultsForTesting() = WriteFaults(); }

  std::string Path(const std::string& rel) const { return JoinPath(dir_.path(), rel); }

  std::vector<FileKind> Kinds() {
    std::vector<FileKind> kinds;
    kinds.push_back({"document", Path("docs/d.tpd"), [this](int n) {
                       clsTFileTPD tpd;
                       return tpd.SaveFile(Path("docs/d.tpd"), true, testing::SampleDocument(n),
                                           true);
                     }});
    kinds.push_back({"conditions", Path("docs/c.tpj"), [this](int n) {
                       clsTFileTPD tpd;
                       DocumentRecord doc = testing::SampleDocument();
                       doc.Conditions.MachigaiList[n % 12] = !doc.Conditions.MachigaiList[n % 12];
                       doc.Conditions.Haitou.Min[0] = Money::FromInt(n);
                       return tpd.SaveFile(Path("docs/c.tpj"), false, doc, true);
                     }});
    kinds.push_back({"CSV", Path("docs/s.csv"), [this](int n) {
                       std::vector<int> singles;
                       for (int i = 0; i < 50 + n; ++i) singles.push_back((i * 7 + n) % 243);
                       return clsTFileCSV().CsvSave(Path("docs/s.csv"), 50 + n, singles);
                     }});
#ifdef ZELVO_HAVE_QT_PRINT
    kinds.push_back({"PDF", Path("docs/p.pdf"),
                     [this](int n) {
                       QtPdfPrinter pdf(Path("docs/p.pdf"));
                       MarkSheetPrinter print(pdf);
                       MarkSheetJob job;
                       for (int i = 0; i < 10 * n; ++i) job.singles.push_back(i % 243);
                       return print.Print(job) && pdf.Finish();
                     },
                     false});
#endif
    kinds.push_back({"totoSettings.ini", dir_.SysData("totoSettings.ini"), [](int n) {
                       SetDefaultTotoSettings();
                       totoSettings().totoOfficialTotoUrl = "&n=" + std::to_string(n);
                       return WriteTotoSettings();
                     }});
    kinds.push_back({"Zelvo mini.ini", dir_.SysData("Zelvo mini.ini"), [](int n) {
                       MainWindowSettings s;
                       s.Kaisaikai = 1000 + n;
                       return SaveMainIni(s);
                     }});
    kinds.push_back({"Printer.ini", dir_.SysData("Printer.ini"), [](int n) {
                       PrinterSettings s;
                       s.PrinterName = "printer " + std::to_string(n);
                       return WritePrinterIni(s);
                     }});
    kinds.push_back({"schedule cache", clsXmlSchedule::GetFileName(85, "A"), [](int n) {
                       ScheduleRecord r;
                       r.Kaisaikai = 85;
                       r.Kumi = "A";
                       r.matches[0].stadium = "国立" + std::to_string(n);
                       clsXmlSchedule x;
                       x.SetRecord(r);
                       return x.XmlSave();
                     }});
    kinds.push_back({"vote cache", clsXmlVote::GetFileName(85, "A"), [](int n) {
                       VoteStatusRecord r;
                       r.Kaisaikai = 85;
                       r.Kumi = "A";
                       r.matches[0].home = "柏" + std::to_string(n);
                       clsXmlVote x;
                       x.SetRecord(r);
                       return x.XmlSave();
                     }});
    kinds.push_back({"result cache", clsXmlResult::GetFileName(85, "A"), [](int n) {
                       ResultRecord r;
                       r.Kaisaikai = 85;
                       r.Kumi = "A";
                       r.matches[0].stadium = "日産ス" + std::to_string(n);
                       clsXmlResult x;
                       x.SetRecord(r);
                       return x.XmlSave();
                     }});
    // Every add is a new club: an add refused as a duplicate would pass for
    // a failed write.
    kinds.push_back({"TeamName3.dat append", dir_.SysData("TeamName3.dat"), [this](int) {
                       TeamNameAdder adder;
                       adder.long_name_field = "クラブ" + std::to_string(++added_);
                       adder.short_name_field = "C" + std::to_string(added_);
                       return adder.Add();
                     }});
    kinds.push_back({"TeamName2.dat download", dir_.SysData("TeamName2.dat"), [this](int) {
                       int revision = 13 + ++downloads_;
                       std::string rev = std::to_string(revision);
                       server_.SetPage("/download/2021/version.dat",
                                       ToCp932(CrLf({"TeamName2.dat = 3." + rev, "[VersionEnd]"})),
                                       "text/plain");
                       server_.SetPage("/download/2021/TeamName2.dat",
                                       ToCp932(CrLf({"Version = 3", "Revision = " + rev,
                                                     "新名 = 新クラブ", "[End]"})),
                                       "text/plain");
                       clsPendralcoveDownload download;
                       download.WinInet().SetProgressOpen(false);
                       return download.DownloadTeamName2(false);
                     }});
    return kinds;
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  int added_ = 0;
  int downloads_ = 0;
};

TEST_F(SaveFaultsTest, FailedSavesKeepThePreviousFileAndSayWhy) {
  std::vector<std::string> not_tried;
  for (const FileKind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    int n = 1;
    ASSERT_TRUE(kind.save(n++));
    const std::string previous = Slurp(kind.target);
    ASSERT_FALSE(previous.empty());
    const std::string folder = ParentDir(kind.target);
    // One fault: the save fails, says so, and leaves the file alone.
    auto expect_refused = [&](const std::string& fault) {
      SCOPED_TRACE(fault);
      fake_.ClearRecords();
      EXPECT_FALSE(kind.save(n++));
      EXPECT_TRUE(!kind.reports || !fake_.messages().empty());
      EXPECT_EQ(Slurp(kind.target), previous);
    };

    for (int64_t after : {int64_t{0}, int64_t{30}}) {
      WriteFaultsForTesting().fail_after_bytes = after;
      expect_refused("disk full after " + std::to_string(after) + " bytes");
      WriteFaultsForTesting() = WriteFaults();
      EXPECT_EQ(Temporaries(kind.target), 0);
    }

    {
      // The target's name taken by a folder.
      fs::rename(kind.target, kind.target + ".moved");
      fs::create_directory(kind.target);
      fake_.ClearRecords();
      EXPECT_FALSE(kind.save(n++));
      EXPECT_TRUE(!kind.reports || !fake_.messages().empty());
      EXPECT_TRUE(DirExists(kind.target));
      fs::remove(kind.target);
      fs::rename(kind.target + ".moved", kind.target);
    }

    if (::geteuid() != 0) {
      fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
      expect_refused("folder not writable");
      fs::permissions(folder, fs::perms::owner_all);
    } else {
      TmpfsOver tmpfs(folder);
      if (tmpfs.mounted() && tmpfs.ReadOnly()) {
        expect_refused("read-only folder");
      } else {
        not_tried.push_back(kind.name + ": read-only folder (no mount here)");
      }
    }
    {
      TmpfsOver tmpfs(folder);
      if (tmpfs.mounted()) {
        tmpfs.Fill();
        expect_refused("real full disk");
      } else {
        not_tried.push_back(kind.name + ": real full disk (no tmpfs here; the seam stands in)");
      }
    }

    {
      // Killed between the write and the rename: the temporary file stays,
      // the target is untouched, and the next save goes through.
      pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        WriteFaultsForTesting().before_rename = [] { ::_exit(7); };
        kind.save(n);
        ::_exit(1);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 7);
      EXPECT_EQ(Slurp(kind.target), previous);
      EXPECT_EQ(Temporaries(kind.target), 1);
    }

    fake_.ClearRecords();
    EXPECT_TRUE(kind.save(n++));
    EXPECT_NE(Slurp(kind.target), previous);
    // The killed save's leftover neither blocks this save nor is taken up.
    EXPECT_EQ(Temporaries(kind.target), 1);
    for (const auto& e : fs::directory_iterator(folder)) {
      if (IsWriterTemporaryName(e.path().filename().string())) fs::remove(e.path());
    }
  }
  for (const std::string& skipped : not_tried) std::cout << "not tried: " << skipped << "\n";
}

}  // namespace
}  // namespace zelvo
