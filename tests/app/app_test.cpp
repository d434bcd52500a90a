// zerovane-cli and zerovane run as a user runs them, and the build's install and run scripts.
// What the engine, the root searches, the readers and the writers compute is tested in their own
// folders; these rows pin what the programs add: arguments, output, exit codes and files.
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <map>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct CliRun
{
    std::string out;
    int exitCode = -1;
};

std::string ShellQuoted(const std::string &arg)
{
    // Single quotes keep every argument as typed, negative numbers and blanks included.
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs program with args under the shell's command prefix (environment settings); stderr is
// collected with stdout when withErrors is set.
CliRun RunProgram(const std::string &prefix, const char *program,
                  const std::vector<std::string> &args, bool withErrors = false)
{
    std::string command = prefix + " " + program;
    for (const auto &a : args)
        command += " " + ShellQuoted(a);
    command += withErrors ? " 2>&1" : " 2>/dev/null";
    CliRun run;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

CliRun RunCli(const std::vector<std::string> &args, const char *locale = "C")
{
    return RunProgram(std::string("LC_ALL=") + locale, ZV_CLI_PATH, args);
}

TEST(Cli, OutputAndExitCode)
{
    // Where a number is due, x is an unknown name.
    const std::string
        xIsUnknown = "Error #16 : Expression contains unknown functions or operands.\nposition 2\n",
        ln = "Error #2 : Logarithm needs to have a positive argument.\n",
        twoOperators = "Error #14 : Two operators can't stick together.\nposition 4\n",
        endsInOperator = "Error #23 : Expression can't end in an operator.\nposition 6\n",
        evaluation = "Error #9 : Error in evaluation !\n";
    const std::tuple<const char *, std::vector<std::string>, std::string, int> cases[] = {
        // check: the translation, or the fault with its position.
        {"CheckTranslates", {"check", "2x(x+1)"}, "2*x*(x+1)\n", 0},
        {"CheckConstantRejectsX", {"check", "--constant", "x"}, xIsUnknown, 1},
        // eval and derive: the value in its shortest form and the code, which is a result.
        {"EvalAtNegativePoint", {"eval", "x^2-4", "-1.5"}, "-1.75 0\n", 0},
        {"EvalDomainFault", {"eval", "ln(x)+1", "-1"}, "1 2\n", 0},
        {"EvalBadPoint", {"eval", "x", "x"}, xIsUnknown, 1},
        {"EvalPointNotEvaluable", {"eval", "x", "ln(0)"}, ln, 1},
        {"DeriveSquare", {"derive", "x^2", "3"}, "5.999999999995941 0\n", 0},
        {"DeriveFails", {"derive", "r(x)", "0"}, "0 1\n", 0},
        // newton: the value field, then the error label when it is shown.
        {"NewtonFindsRoot", {"newton", "x^2-4", "1"}, "2\n", 0},
        {"NewtonNoRoot", {"newton", "x^2+1", "0.5"}, "No root.\nNo root has been found.\n", 1},
        {"NewtonFunctionFailsCheck", {"newton", "2+*x", "1"}, twoOperators, 1},
        {"NewtonStartMayNotUseX", {"newton", "x^2", "x"}, xIsUnknown, 1},
        // roots: the lines of the list, "." as separator; none found is no failure.
        {"RootsTwoSimple", {"roots", "x^2-4", "-3", "3"}, "-2\n2\n", 0},
        // Roots closer than one step at the default precision are told apart at 800.
        {"RootsWithPrecision", {"roots", "(x-1)*(x-1.001)", "0", "2", "800"}, "1\n1.001\n", 0},
        {"RootsNone", {"roots", "x^2+1", "-3", "3"}, "", 0},
        // f without a value anywhere on [A; B] is a failure; failing at some points is not.
        {"RootsNothingEvaluable", {"roots", "x-1.2.3", "-3", "3"}, evaluation, 1},
        {"RootsDomainEnd", {"roots", "ln(x)", "-1", "2"}, "1\n", 0},
        {"RootsFunctionFailsCheck", {"roots", "x^2+", "0", "1"}, endsInOperator, 1},
        // methods: its table or JSON (below), or the first input at fault.
        {"MethodsFunctionFailsCheck", {"methods", "2+*x", "1", "3"}, twoOperators, 1},
        {"MethodsNoInterval",
         {"methods", "x", "3", "1"},
         "The two values don't build an interval.\n",
         1},
        {"MethodsToleranceNotPositive",
         {"methods", "x", "-1", "1", "--tol", "0"},
         "The tolerance must be a number above 0.\n",
         1},
        {"MethodsUnknownOption", {"methods", "x", "-1", "1", "--fast"}, "", 2},
        {"MethodsOptionWithoutValue", {"methods", "x", "-1", "1", "--x0"}, "", 2},
        // Usage errors print nothing on stdout.
        {"RootsPrecisionTooLow", {"roots", "x", "-1", "1", "19"}, "", 2},
        {"RootsMissingEnd", {"roots", "x", "-1"}, "", 2},
        {"EvalMissingArgument", {"eval", "x"}, "", 2},
        {"CheckWithoutText", {"check", "--constant"}, "", 2},
        {"UnknownCommand", {"solve", "x"}, "", 2},
        {"NoArguments", {}, "", 2},
    };
    zv::test::ForEachCase(cases, [](auto, const auto &args, const std::string &out, int exitCode) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.exitCode, exitCode);
    });
}

// Reads a JSON text into path -> value text ("methods.1.name" -> "regula falsi", strings
// unescaped, "null" for null), or fails on anything that is not JSON.
bool ReadJson(std::string_view &s, const std::string &path, std::map<std::string, std::string> &out)
{
    const auto skip = [&] {
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
            s.remove_prefix(1);
    };
    const auto string = [&](std::string &text) {
        if (s.empty() || s.front() != '"')
            return false;
        for (s.remove_prefix(1); !s.empty() && s.front() != '"'; s.remove_prefix(1)) {
            if (s.front() == '\\' && s.size() > 1)
                s.remove_prefix(1);
            text += s.front();
        }
        return !s.empty() && (s.remove_prefix(1), true);
    };
    skip();
    if (s.empty())
        return false;
    const char open = s.front();
    if (open == '{' || open == '[') {
        s.remove_prefix(1);
        skip();
        for (int i = 0; !s.empty() && s.front() != (open == '{' ? '}' : ']'); ++i) {
            std::string key = std::to_string(i);
            if (i > 0 && !(s.front() == ',' && (s.remove_prefix(1), true)))
                return false;
            skip();
            if (open == '{' && !(key.clear(), string(key)))
                return false;
            skip();
            if (open == '{' && !(s.front() == ':' && (s.remove_prefix(1), true)))
                return false;
            if (!ReadJson(s, path.empty() ? key : path + "." + key, out))
                return false;
            skip();
        }
        return !s.empty() && (s.remove_prefix(1), true);
    }
    std::string value;
    if (open == '"')
        return string(value) && (out[path] = value, true);
    if (s.starts_with("null"))
        return s.remove_prefix(4), out[path] = "null", true;
    double number = 0;
    const auto read = std::from_chars(s.data(), s.data() + s.size(), number);
    if (read.ec != std::errc())
        return false;
    out[path] = std::string(s.data(), read.ptr);
    s.remove_prefix(static_cast<std::size_t>(read.ptr - s.data()));
    return true;
}

TEST(Cli, MethodsJsonReadsBack)
{
    const CliRun run = RunCli({"methods", "(x-1)^3", "0", "3", "--tol", "1e-8", "--json"});
    ASSERT_EQ(run.exitCode, 0);
    std::map<std::string, std::string> json;
    std::string_view text = run.out;
    ASSERT_TRUE(ReadJson(text, "", json)) << run.out;
    EXPECT_EQ(json["function"], "(x-1)^3");
    EXPECT_EQ(json["tol"], "1e-08");
    EXPECT_EQ(json["x0"], "1.5");
    const char *const names[] = {"bisection", "regula falsi", "illinois",
                                 "secant",    "newton",       "newton (multiplicity 3)",
                                 "brent",     "zerovane"};
    for (int i = 0; i < 8; ++i) {
        const std::string method = "methods." + std::to_string(i) + ".";
        EXPECT_EQ(json[method + "name"], names[i]);
        const bool converged = json[method + "status"] == "converged";
        EXPECT_EQ(json[method + "root"] == "null", !converged) << names[i];
        if (converged) {
            EXPECT_NEAR(std::stod(json[method + "root"]), 1, 1e-7) << names[i];
        }
        // Every iterate has its k, x and fx.
        for (int k = 0; json.count(method + "iterations." + std::to_string(k) + ".x"); ++k)
            EXPECT_EQ(json.count(method + "iterations." + std::to_string(k) + ".fx"), 1u);
    }
    EXPECT_EQ(json["methods.0.iterations.0.k"], "1");
    EXPECT_EQ(json["methods.0.iterations.0.x"], "1.5");
    EXPECT_EQ(json["methods.0.iterations.0.fx"], "0.125");
    EXPECT_EQ(json["methods.4.iterations.0.k"], "0");
    // Regula falsi stalls on this flat root: no root, no order.
    EXPECT_EQ(json["methods.1.status"], "budget-spent");
    EXPECT_EQ(json["methods.1.order"], "null");
}

TEST(Cli, HelpPrintsUsage)
{
    const CliRun run = RunCli({"--help"});
    EXPECT_NE(run.out.find("zerovane-cli eval TEXT X"), std::string::npos);
    EXPECT_EQ(run.exitCode, 0);
}

TEST(Cli, PointIsTheDecimalSeparatorWhateverTheLocale)
{
    // A locale with a decimal comma must not change what is printed or read. Without that
    // locale installed the program would run in "C" and prove nothing.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    std::setlocale(LC_ALL, "C");
    const CliRun run = RunCli({"eval", "x/4", "1.5"}, "de_DE.UTF-8");
    EXPECT_EQ(run.out, "0.375 0\n");
}

#ifdef ZV_GUI_PATH

namespace fs = std::filesystem;
using zv::test::Folder;
using zv::test::ReadFile;

// Every run is bounded, so that a run that waits for a click fails instead of hanging.
const char *const kNoDisplay = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
// The start-up benchmark's switch: the program ends with status 0 once its first window is shown.
const char *const kQuitWhenShown =
    "timeout 60 env QT_QPA_PLATFORM=offscreen ZEROVANE_QUIT_WHEN_SHOWN=1";

// How a start ends, by the environment and the argument. Without a display the program says so in
// one line on stderr and ends with status 1, instead of aborting inside Qt (status 134 and a core
// file); not asked to quit once shown, it stays open (and the timeout ends it). --help and
// --version answer on stdout without a display, unless a file has that name: it opens.
TEST(ZerovaneStart, WithoutADisplaySaysSoAndTheBenchmarksSwitchEndsItOnceShown)
{
    Folder here;
    fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", here.path / "--help");
    const std::string x11 = "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=",
                      noDisplay = "zerovane: no display", sample = ZV_EXAMPLES_DIR "/sample1.zvn";
    const std::tuple<const char *, std::string, std::string, int, std::string> rows[] = {
        {"no display", kNoDisplay, sample, 1, noDisplay},
        {"no server there", x11 + ":97", sample, 1, noDisplay},
        {"nor over TCP", x11 + "localhost:97", sample, 1, noDisplay},
        {"no plug-in", "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland", sample, 1,
         noDisplay},
        {"quit", kQuitWhenShown, sample, 0, ""},
        {"stay", "timeout 2 env -u ZEROVANE_QUIT_WHEN_SHOWN QT_QPA_PLATFORM=offscreen", sample, 124,
         ""},
        {"usage", kNoDisplay, "--help", 0, "Usage: zerovane [PROJECT.zvn]\n"},
        {"version", kNoDisplay, "--version", 0, "zerovane " ZV_VERSION "\n"},
        {"a project named --help", "cd " + here.path.string() + " && " + kNoDisplay, "--help", 1,
         noDisplay},
    };
    zv::test::ForEachCase(rows, [](auto, const std::string &prefix, const std::string &argument,
                                   int exitCode, const std::string &says) {
        const CliRun run = RunProgram(prefix, ZV_GUI_PATH, {argument}, exitCode != 0);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_NE(run.out.find(says), std::string::npos) << run.out;
    });
}

TEST(ZerovaneBatchMode, WritesBothFilesWithoutADisplayOrSaysWhatFailed)
{
    // The project's name (in DIR, a copy of sample 1), the shell's commands before the run, the
    // exit code, the line on stderr (PATH: the project), whether its picture is there afterwards
    // and line 4 of its results file ("": none written).
    const auto none = [](const char *scene) { return std::string(scene) + kNoDisplay; };
    const std::string roots = " 2 roots : ", evaluation = "Error #9 : Error in evaluation !";
    const std::tuple<const char *, const char *, std::string, int, std::string, bool, std::string>
        rows[] = {
            {"both files", "eq.zvn", none(""), 0, "", true, roots},
            {"a display that does not answer", "eq.zvn",
             "timeout 60 env -u WAYLAND_DISPLAY DISPLAY=:97 QT_QPA_PLATFORM=xcb", 0, "", true,
             roots},
            {"an invalid equation", "eq.zvn", none("sed -i 's/3^x-x^3/x^^2/' DIR/eq.zvn; "), 1,
             "project not read: PATH: Equation has an invalid syntax.", false, ""},
            // Without a display the program runs offscreen, where no box may wait for a click.
            {"a missing project", "eq.zvn", none("rm DIR/eq.zvn; "), 1,
             "project not read: PATH: No such file or directory", false, ""},
            {"the results where a folder stands", "eq.zvn", none("mkdir DIR/eq.zvn.txt; "), 1,
             "picture written, results not written: PATH.txt: Is a directory", true, ""},
            // Refused without being opened, where opening would wait for a reader for ever.
            {"a named pipe for the picture", "eq.zvn", none("mkfifo DIR/eq.zvn.jpg; "), 1,
             "picture not written: PATH.jpg: This is a pipe, a device or a socket, not a file.",
             false, ""},
            // The picture's write fails half-way: the old picture survives whole.
            {"a file size limit", "eq.zvn",
             none("printf 'old picture' > DIR/eq.zvn.jpg; ulimit -f 4; "), 1,
             "picture not written: PATH.jpg: File too large", false, ""},
            // The file named is the one taken, byte for byte; not a twin without the quote.
            {"a quote in the name", "a\"b.zvn", none("printf x > DIR/ab.zvn; "), 0, "", true,
             roots},
            {"bytes that are not UTF-8", "bad\xff\xfe.zvn", none(""), 0, "", true, roots},
            {"a Latin-1 name", "lat\xe9.zvn", none(""), 0, "", true, roots},
            // f has a value nowhere: the graph and the results are written, and say so.
            {"nothing evaluable", "eq.zvn", none("sed -i 's/3^x-x^3/x-1.2.3/' DIR/eq.zvn; "), 1,
             "no value of f on the interval: PATH: " + evaluation, true, evaluation},
            {"a above b", "eq.zvn", none("sed -i 's/ 0/ 9/' DIR/eq.zvn; "), 1,
             "project not read: PATH: The two values don't build an interval. [9 ; 6]", false, ""},
        };
    for (auto [row, name, command, exitCode, line, picture, results] : rows) {
        SCOPED_TRACE(row);
        // Blanks and letters beyond ASCII in the path reach the program as typed.
        Folder scratch;
        const fs::path dir = scratch.path / "Proiecte și ecuații", project = dir / name;
        fs::create_directory(dir);
        fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
        for (size_t at; (at = command.find("DIR")) != std::string::npos;)
            command.replace(at, 3, ShellQuoted(dir.string()));
        const CliRun run = RunProgram(command, ZV_GUI_PATH, {"-x", project.string()}, true);
        EXPECT_EQ(run.exitCode, exitCode);
        if (const size_t at = line.find("PATH"); at != std::string::npos)
            line = "zerovane: " + line.replace(at, 4, project.string()) + "\n";
        EXPECT_EQ(run.out, line);
        const std::string jpeg = ReadFile(project.string() + ".jpg");
        EXPECT_EQ(jpeg.rfind("\xFF\xD8\xFF", 0) == 0, picture) << jpeg.size();
        EXPECT_TRUE(picture || !fs::is_regular_file(project.string() + ".jpg") ||
                    jpeg == "old picture");
        const std::string text = ReadFile(project.string() + ".txt");
        EXPECT_EQ(text.find("\r\n\r\n" + results + "\r\n") != std::string::npos, !results.empty());
    }
}

// --batch takes each argument as a project as it stands (a blank, a quote) and goes on after
// one that fails: the others are written, the one is named in a line, and the status says so.
TEST(ZerovaneBatchMode, ManyProjectsInOneRunGoOnAfterOneFails)
{
    Folder scratch;
    const fs::path first = scratch.path / "a \"b.zvn", bad = scratch.path / "bad.zvn",
                   last = scratch.path / "c.zvn";
    for (const fs::path &project : {first, bad, last})
        fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
    zv::test::WriteFile(bad, "\"Zerovane\"\r\n\"x^^2\"\r\n\" 0\"\r\n\" 1\"\r\n");
    const CliRun run = RunProgram(kNoDisplay, ZV_GUI_PATH,
                                  {"--batch", first.string(), bad.string(), last.string()}, true);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "zerovane: project not read: " + bad.string() +
                           ": Equation has an invalid syntax.\n");
    for (const fs::path &project : {first, bad, last}) {
        EXPECT_EQ(ReadFile(project.string() + ".jpg").rfind("\xFF\xD8\xFF", 0) == 0,
                  project != bad);
        EXPECT_EQ(ReadFile(project.string() + ".txt").find(" 2 roots : ") != std::string::npos,
                  project != bad);
    }
    EXPECT_EQ(RunProgram(kNoDisplay, ZV_GUI_PATH, {"--batch"}, true).out,
              "zerovane: usage: zerovane --batch PROJECT...\n");
}

// --export PICTURE PROJECT writes the picture in the format its name says and the results
// under PICTURE.txt; a name of no known format is refused before anything is written.
TEST(ZerovaneExport, WritesThePictureItsNameSaysAndTheResultsBesideIt)
{
    Folder scratch;
    const fs::path project = scratch.path / "eq.zvn";
    fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
    const std::tuple<const char *, std::string, int> rows[] = {{"plot.png", "\x89PNG", 0},
                                                               {"plot.svg", "<?xml", 0},
                                                               {"plot.pdf", "%PDF", 0},
                                                               {"plot.JPEG", "\xFF\xD8\xFF", 0},
                                                               {"plot.bmp", "", 1}};
    for (const auto &[name, start, exitCode] : rows) {
        SCOPED_TRACE(name);
        const std::string picture = (scratch.path / name).string();
        const CliRun run =
            RunProgram(kNoDisplay, ZV_GUI_PATH, {"--export", picture, project.string()}, true);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_EQ(run.out, exitCode == 0 ? ""
                                         : "zerovane: picture not written: " + picture +
                                               ": the name must end in .jpg, .jpeg, .png, "
                                               ".svg or .pdf\n");
        EXPECT_EQ(ReadFile(picture).rfind(start, 0) == 0 && exitCode == 0, !start.empty());
        EXPECT_EQ(ReadFile(picture + ".txt").rfind("3^x-x^3 = 0\r\n[0 ; 6]\r\n", 0) == 0,
                  exitCode == 0);
    }
}

TEST(MakeRunWithoutADisplay, ExportsACopyOfASampleInTheBuildFolderAndPrintsTheResults)
{
    const CliRun run = RunProgram(std::string(kNoDisplay) + " sh", ZV_SOURCE_DIR "/app/run.sh",
                                  {ZV_BUILD_DIR}, true);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string copy = (fs::path(ZV_BUILD_DIR) / "run" / "sample1.zvn").string();
    EXPECT_NE(run.out.find("Picture: " + copy + ".jpg\nResults: " + copy + ".txt\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("3^x-x^3 = 0\n[0 ; 6]\n\n 2 roots : \n2.478053\n3\n"),
              std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    // Nothing lands among the bundled samples (the copy's files may stay from an earlier run).
    EXPECT_FALSE(fs::exists(ZV_EXAMPLES_DIR "/sample1.zvn.jpg") ||
                 fs::exists(ZV_EXAMPLES_DIR "/sample1.zvn.txt"));
}

// The build installed once under a temporary prefix, as `cmake --install build --prefix ...`.
const fs::path &Installed()
{
    static const zv::test::Folder prefix;
    static const CliRun install =
        RunProgram("env -u DESTDIR", ZV_CMAKE,
                   {"--install", ZV_BUILD_DIR, "--prefix", prefix.path.string()}, true);
    EXPECT_EQ(install.exitCode, 0) << install.out;
    return prefix.path;
}

TEST(Installed, ProgramMenuEntryIconFileTypeAndDescriptionAreInPlaceAndValid)
{
    const fs::path share = Installed() / "share";
    const std::string id = ZV_APP_ID;
    const fs::path desktop = share / ("applications/" + id + ".desktop"),
                   metainfo = share / ("metainfo/" + id + ".metainfo.xml");
    // The program, its help file, icons, an entry that starts it with the file it is given under
    // our icon, the manual and Debian's copyright and changelog; the install ran the file-type and
    // menu cache tools, so that a .zvn file opens in Zerovane.
    const std::pair<fs::path, std::string> contents[] = {
        {Installed() / "bin/zerovane", "\177ELF"},
        {share / "zerovane/Readme.chm", "ITSF"},
        {share / "man/man1/zerovane-cli.1.gz", "\x1F\x8B"},
        {share / "doc/zerovane/changelog.gz", "\x1F\x8B"},
        {share / "doc/zerovane/copyright", "Copyright"},
        {share / "icons/hicolor/scalable/apps" / (id + ".svg"), "<svg"},
        {share / "icons/hicolor/96x96/apps" / (id + ".png"), "\x89PNG"},
        {share / "icons/hicolor/192x192/apps" / (id + ".png"), "\x89PNG"},
        {desktop, "\nExec=zerovane %f\n"},
        {desktop, "\nIcon=" + id + "\n"},
        {desktop, "\nMimeType=application/x-zerovane-project;\n"},
        {metainfo, "<launchable type=\"desktop-id\">" + id + ".desktop"},
        {metainfo, "<screenshot type=\"default\">"},
        {share / "mime/globs2", ":application/x-zerovane-project:*.zvn"},
        {share / "mime/magic", "\"Zerovane\""},
        {share / "applications/mimeinfo.cache",
         "application/x-zerovane-project=" + id + ".desktop;"},
    };
    for (const auto &[file, text] : contents)
        EXPECT_NE(ReadFile(file).find(text), std::string::npos) << file << " lacks " << text;
    // Debian's validators accept the entry and the metainfo.
    const CliRun validated = RunProgram("", "desktop-file-validate", {desktop.string()}, true);
    EXPECT_EQ(validated.exitCode, 0) << validated.out;
    EXPECT_EQ(validated.out, "");
    const CliRun appstream =
        RunProgram("", "appstreamcli", {"validate", "--no-net", metainfo.string()}, true);
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out;
}

// `make package`: the Debian package holds the install under usr alone, with the dependencies
// read from the programs, and what it holds runs from wherever it is unpacked.
TEST(Package, HoldsTheInstallUnderUsrAndItsProgramsRunWhereItIsUnpacked)
{
    Folder out;
    const fs::path deb = out.path / "zerovane.deb", root = out.path / "root", usr = root / "usr";
    const CliRun pack = RunProgram("", ZV_CPACK,
                                   {"--config", ZV_BUILD_DIR "/CPackConfig.cmake", "-B",
                                    out.path.string(), "-D", "CPACK_DEBIAN_FILE_NAME=zerovane.deb"},
                                   true);
    ASSERT_EQ(pack.exitCode, 0) << pack.out;
    ASSERT_EQ(RunProgram("", "dpkg-deb", {"-x", deb.string(), root.string()}).exitCode, 0);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(root), {}), std::vector{usr});
    EXPECT_FALSE(fs::exists(usr / "share/mime/mime.cache")); // the package manager makes those
    const CliRun fields = RunProgram("", "dpkg-deb", {"-f", deb.string(), "Section", "Depends"});
    EXPECT_EQ(fields.out.find("Section: math\nDepends: "), 0u) << fields.out;
    EXPECT_NE(fields.out.find("libqt6widgets6 (>="), std::string::npos);

    const fs::path project = out.path / "eq.zvn", program = usr / "bin/zerovane";
    fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
    EXPECT_EQ(RunProgram(kNoDisplay, program.c_str(), {"-x", project.string()}).exitCode, 0);
    EXPECT_EQ(ReadFile(out.path / "eq.zvn.txt").find("3^x-x^3 = 0\r\n[0 ; 6]\r\n\r\n 2 roots"), 0u);
    const fs::path cli = usr / "bin/zerovane-cli";
    EXPECT_EQ(RunProgram("", cli.c_str(), {"roots", "x^2-4", "-3", "3"}).out, "-2\n2\n");
    // It finds its help file in the data folder: without it, start-up's box would wait for a
    // click where the run ends once shown.
    EXPECT_EQ(RunProgram(kQuitWhenShown, program.c_str(), {project.string()}).exitCode, 0);
    fs::remove(usr / "share/zerovane/Readme.chm");
    const std::string briefly = std::string("timeout 3 ") + kQuitWhenShown;
    EXPECT_EQ(RunProgram(briefly, program.c_str(), {project.string()}).exitCode, 124);
}

#endif

} // namespace
