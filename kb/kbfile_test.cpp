#include "kb/kbfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "kb/codepage.h"
#include "kb/rtf.h"

namespace veksa {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string templ = (fs::temp_directory_path() / "veksa-test-XXXXXX").string();
    path_ = ::mkdtemp(templ.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  std::string file(const std::string& name) const { return (fs::path(path_) / name).string(); }

 private:
  std::string path_;
};

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(Codepage, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    char16_t ch = cp1251ToUnicode(static_cast<unsigned char>(b));
    auto back = unicodeToCp1251(ch);
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, b);
  }
  EXPECT_EQ(cp1251ToUnicode(0xC0), u'А');
  EXPECT_EQ(cp1251ToUnicode(0xB8), u'ё');
  EXPECT_EQ(cp1251ToUnicode(0xB9), u'№');
  EXPECT_FALSE(unicodeToCp1251(u'€' + 1).has_value());
  EXPECT_EQ(encodeCp1251(u"Ж☺"), "\xC6?");
}

TEST(Rtf, RoundTripsEveryKindOfLine) {
  Lines lines = {u"ГИПОТЕЗЫ:", u"дерево {ёлка, сосна}", u"", u"  ведущие и хвостовые  ",
                 u"a\\b{c}d", u"\tтаб", u"日本 ☺ €", u"\\par", u"", u""};
  std::string rtf = writeRtf(lines);
  EXPECT_TRUE(looksLikeRtf(rtf));
  EXPECT_EQ(readRtf(rtf), lines);
  EXPECT_EQ(readRtf(writeRtf({})), Lines{});
  EXPECT_EQ(readRtf(writeRtf({u""})), Lines{u""});
}

TEST(Rtf, ReadsWhatOtherWritersProduce) {
  // \'hh in the document's code page, \uN with \ucN fallbacks, nested groups, skipped
  // destinations, \line and \tab.
  std::string doc =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0;}"
      "{\\*\\generator Writer 1.0;}{\\stylesheet{\\s0 Normal;}}"
      "\\pard\\f0 \\'c3\\'c8\\'cf {\\b bold}\\par\r\n"
      "\\uc2\\u1046\\'c6\\'c6 x\\line y\\tab z\\par"
      "{\\*\\unknown skipped}{{{deep}}}\\par"
      "\\uc1\\u-3913?\\par}";
  Lines lines = readRtf(doc);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], u"ГИП bold");
  EXPECT_EQ(lines[1], u"Ж x");
  EXPECT_EQ(lines[2], u"y\tz");
  EXPECT_EQ(lines[3], u"deep");
  EXPECT_EQ(lines[4], Line(1, static_cast<char16_t>(65536 - 3913)));
  // Text after the last \par is a line; Western documents decode as Windows-1252.
  EXPECT_EQ(readRtf("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}"), Lines{u"café"});
  // Line ends and a NUL byte after the closing brace are no text.
  EXPECT_EQ(readRtf(doc + std::string("\r\n\0", 3)), lines);
  EXPECT_EQ(readRtf("{\\rtf1 a\\par}\r\nb\\par"), Lines{u"a"});
}

TEST(Rtf, HostileInputLoadsWithoutRecursion) {
  std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "}";
  EXPECT_EQ(readRtf(deep), Lines{u"x"});
  EXPECT_EQ(readRtf("{\\rtf1 abc\\'"), Lines{u"abc"});  // truncated escape
  EXPECT_EQ(readRtf("{\\rtf1 }}}}} a"), Lines{});       // the document ends at its first "}"
  readRtf("{\\rtf1 \\u99999999999999 \\uc99999999 \\bin999999999 x");
}

TEST(SplitLines, FileAndEditorBreaks) {
  const std::u16string_view text = u"a\r\nb\rc\u2028d\ne\n";
  EXPECT_EQ(splitLines(text, kFileLineBreaks), (Lines{u"a", u"b", u"c\u2028d", u"e"}));
  EXPECT_EQ(splitLines(text, kEditorLineBreaks), (Lines{u"a\r", u"b\rc", u"d", u"e", u""}));
  for (LineBreaks breaks : {kFileLineBreaks, kEditorLineBreaks}) {
    EXPECT_EQ(splitLines(u"", breaks), Lines{});
    EXPECT_EQ(splitLines(u"x", breaks), Lines{u"x"});
  }
  EXPECT_EQ(splitLines(u"\n\n", kFileLineBreaks), (Lines{u"", u""}));
  EXPECT_EQ(splitLines(u"\n\n", kEditorLineBreaks), (Lines{u"", u"", u""}));
}

TEST(KbFile, PlainTextInEveryEncoding) {
  // Windows-1251 with CR LF, UTF-8 with and without a byte-order mark, LF and lone CR.
  Lines expected = {u"ГИПОТЕЗЫ:", u"дерево {ёлка}", u""};
  EXPECT_EQ(decodeKnowledgeBase(encodeCp1251(u"ГИПОТЕЗЫ:\r\nдерево {ёлка}\r\n\r\n")), expected);
  EXPECT_EQ(decodeKnowledgeBase(toUtf8(u"ГИПОТЕЗЫ:\nдерево {ёлка}\n\n")), expected);
  EXPECT_EQ(decodeKnowledgeBase("\xEF\xBB\xBF" + toUtf8(u"ГИПОТЕЗЫ:\rдерево {ёлка}\r\n\n")),
            expected);
  EXPECT_EQ(decodeKnowledgeBase("abc"), Lines{u"abc"});
  EXPECT_EQ(decodeKnowledgeBase(""), Lines{});
  // Binary bytes load as text, one character per byte.
  std::string binary;
  for (int b = 0; b < 256; ++b) binary.push_back(static_cast<char>(b));
  Lines loaded = decodeKnowledgeBase(binary);
  EXPECT_GE(loaded.size(), 2u);
}

TEST(KbFile, SavedAndPlainFilesLoadAlike) {
  TempDir dir;
  Lines lines = {u"ГИПОТЕЗЫ:", u"дерево {ёлка, сосна}", u"", u"ПАРАМЕТРЫ:"};
  std::string error;
  ASSERT_TRUE(saveKnowledgeBase(dir.file("kb.vks"), lines, error)) << error;
  writeBytes(dir.file("plain.vks"),
             encodeCp1251(u"ГИПОТЕЗЫ:\r\nдерево {ёлка, сосна}\r\n\r\nПАРАМЕТРЫ:\r\n"));
  Lines saved, plain;
  ASSERT_TRUE(loadKnowledgeBase(dir.file("kb.vks"), saved, error));
  ASSERT_TRUE(loadKnowledgeBase(dir.file("plain.vks"), plain, error));
  EXPECT_EQ(saved, lines);
  EXPECT_EQ(plain, lines);
  // A large single line survives.
  Lines big = {Line(10 * 1024 * 1024, u'x') + u"Жё"};
  ASSERT_TRUE(saveKnowledgeBase(dir.file("big.vks"), big, error));
  Lines bigBack;
  ASSERT_TRUE(loadKnowledgeBase(dir.file("big.vks"), bigBack, error));
  EXPECT_EQ(bigBack, big);
}

TEST(KbFile, FailuresNameTheFileAndChangeNothing) {
  TempDir dir;
  std::string error;
  Lines lines = {u"как было"};
  EXPECT_FALSE(loadKnowledgeBase(dir.file("нет.vks"), lines, error));
  EXPECT_NE(error.find("нет.vks"), std::string::npos);
  EXPECT_EQ(lines, Lines{u"как было"});
  EXPECT_FALSE(loadKnowledgeBase(dir.file(""), lines, error));  // a directory

  // A save that fails leaves the previous file as it was.
  ASSERT_TRUE(saveKnowledgeBase(dir.file("kb.vks"), {u"первый"}, error));
  EXPECT_FALSE(saveKnowledgeBase(dir.file("missing/kb.vks"), {u"x"}, error));
  EXPECT_NE(error.find("missing/kb.vks"), std::string::npos);
  if (::geteuid() != 0) {  // root writes into read-only directories anyway
    ::chmod(dir.file("").c_str(), 0555);
    EXPECT_FALSE(saveKnowledgeBase(dir.file("kb.vks"), {u"второй"}, error));
    ::chmod(dir.file("").c_str(), 0755);
  }
  Lines back;
  ASSERT_TRUE(loadKnowledgeBase(dir.file("kb.vks"), back, error));
  EXPECT_EQ(back, Lines{u"первый"});
  // No temporary file is left behind.
  int files = 0;
  for (auto& e : fs::directory_iterator(dir.file(""))) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

// The flushes of a save, in order: 'f' for the temporary file, 'd' for the folder. A call numbered
// failingFlush fails with EIO.
std::string flushes;
int failingFlush = 0;
int recordingSync(int fd) {
  struct stat st;
  ::fstat(fd, &st);
  flushes += S_ISDIR(st.st_mode) ? 'd' : 'f';
  if (static_cast<int>(flushes.size()) == failingFlush) {
    errno = EIO;
    return -1;
  }
  return ::fsync(fd);
}

TEST(KbFile, SavesFlushTheFileThenTheFolderAndAFailingFlushFailsTheSave) {
  TempDir dir;
  std::string path = dir.file("kb.vks"), error;
  setFileSyncForTesting(recordingSync);
  flushes.clear();
  failingFlush = 0;
  ASSERT_TRUE(saveKnowledgeBase(path, {u"первый"}, error)) << error;
  EXPECT_EQ(flushes, "fd");

  // The temporary file cannot be flushed: the previous file stays, no temporary file is left.
  flushes.clear();
  failingFlush = 1;
  EXPECT_FALSE(saveKnowledgeBase(path, {u"второй"}, error));
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_NE(error.find(std::strerror(EIO)), std::string::npos);
  Lines back;
  ASSERT_TRUE(loadKnowledgeBase(path, back, error));
  EXPECT_EQ(back, Lines{u"первый"});
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), fs::directory_iterator()), 1);

  // The folder cannot be flushed: the rename may not survive a power cut, so the save failed.
  flushes.clear();
  failingFlush = 2;
  error.clear();
  EXPECT_FALSE(saveKnowledgeBase(path, {u"третий"}, error));
  EXPECT_NE(error.find(path), std::string::npos);
  setFileSyncForTesting(nullptr);
}

}  // namespace
}  // namespace veksa
