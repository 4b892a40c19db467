// Runs the built vexplot binary, as a user or a script would.
#include "analysis/RecordingSink.h"

#include "document/GraphFile.h"
#include "document/SliderState.h"
#include "document/SystemErrorText.h"
#include "document/ZelDoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

struct CRunResult
{
    int exitCode{-1};
    QByteArray out;
    QByteArray err;
};

class DiscussCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CScaling scaling;
        scaling.SetXRange(-2, 2, 0.5);
        m_doc.SetScaling(scaling);
        m_doc.SetFunctions({MakeFunction("x^3-3*x"), MakeFunction("x-k", 1, 1, 3, 1), MakeFunction("x^2")});
        WriteFile(QStringLiteral("graph.zel"), WriteGraphFile(m_doc));
        WriteFile(QStringLiteral("short.zel"), {0x00, 0x00, 0x00});
    }

    void WriteFile(const QString& name, const std::vector<std::uint8_t>& bytes)
    {
        QFile file{m_dir.filePath(name)};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // The user's settings are never touched: the program finds its store below a configuration
    // folder of the test's own, holding the given precision or nothing.
    CRunResult Run(const QStringList& arguments, std::optional<int> storedPrecision = std::nullopt,
                   const QString& outputFile = {}, const QString& locale = {})
    {
        const QString config = m_dir.filePath(QStringLiteral("config"));
        QDir{config}.removeRecursively();
        if (storedPrecision) {
            QDir{}.mkpath(config + QStringLiteral("/Vex Software"));
            QFile ini{config + QStringLiteral("/Vex Software/Vex Funktions-Plotter.conf")};
            EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write(QByteArrayLiteral("[Settings]\nPrecision=") + QByteArray::number(*storedPrecision) +
                      '\n');
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        if (!locale.isEmpty()) {
            env.insert(QStringLiteral("LANG"), locale);
            env.insert(QStringLiteral("LC_ALL"), locale);
        }
        QProcess process;
        process.setProcessEnvironment(env);
        if (!outputFile.isEmpty()) {
            process.setStandardOutputFile(outputFile);
        }
        process.start(QStringLiteral(VEXPLOT_PATH), QStringList{m_command} + arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return CRunResult{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                          process.readAllStandardOutput(), process.readAllStandardError()};
    }

    // What the scan itself gives for function `index` (from 0) of the file.
    QByteArray Expected(EAnalysis kind, std::size_t index, int precision) const
    {
        CRecordingSink sink;
        CGraphFunction named = m_doc.GetFunctions().at(index); // named as the list names it
        named.SetName(FunctionName(m_doc.GetFunctions(), index));
        RunAnalysis(kind, named, m_doc.GetScaling(), precision, sink);
        QByteArray text;
        for (const std::string& line : sink.m_lines) {
            text += QByteArray::fromStdString(line) + '\n';
        }
        return text;
    }

    QTemporaryDir m_dir;
    CZelDoc m_doc;
    // The command the arguments follow.
    QString m_command{QStringLiteral("--discuss")};
};

TEST_F(DiscussCommand, PrintsTheLinesOfTheScan)
{
    struct Case
    {
        QStringList arguments;
        std::optional<int> stored;
        EAnalysis kind;
        std::size_t function;
        int precision;
    };
    const QString graph = Path("graph.zel");
    const Case cases[] = {
        {{"zeros", graph, "--precision", "1", "--raster"}, 5, EAnalysis::Zeros, 0, 1},
        {{"table", graph, "--function", "2", "--raster"}, std::nullopt, EAnalysis::ValueTable, 1, 3},
        {{"--function", "2", "--raster", "monotony", graph, "--precision", "2"}, std::nullopt, EAnalysis::Monotony, 1, 2},
        {{"inflections", graph, "--function=1", "--precision=1", "--raster"}, std::nullopt, EAnalysis::Inflections, 0, 1},
        {{"extrema", graph, "--raster"}, std::nullopt, EAnalysis::Extrema, 0, 3},
        // Without --precision: the stored setting (limited to 1..10), or 3 when none is stored.
        {{"zeros", graph, "--function", "3", "--raster"}, 1, EAnalysis::Zeros, 2, 1},
        {{"zeros", graph, "--function", "3", "--raster"}, std::nullopt, EAnalysis::Zeros, 2, 3},
        {{"zeros", graph, "--function", "3", "--raster"}, 99, EAnalysis::Zeros, 2, 10},
    };
    // The raster's run of zeros of x^2 grows with the precision, so each of those runs tells its
    // precision.
    ASSERT_NE(Expected(EAnalysis::Zeros, 2, 1), Expected(EAnalysis::Zeros, 2, 3));
    ASSERT_NE(Expected(EAnalysis::Zeros, 2, 3), Expected(EAnalysis::Zeros, 2, 10));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(c.arguments, c.stored);
        EXPECT_EQ(run.exitCode, 0);
        const QByteArray expected = Expected(c.kind, c.function, c.precision);
        EXPECT_GT(expected.count('\n'), 0);
        EXPECT_EQ(run.out.toStdString(), expected.toStdString());
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString(); // no terminal, so no progress either
    }
}

TEST_F(DiscussCommand, RefusesWithOneLine)
{
    struct Case
    {
        QStringList arguments;
        int exitCode;
    };
    const QString graph = Path("graph.zel");
    const Case cases[] = {
        {{"roots", graph}, 2},
        {{"zeros"}, 2},
        {{"zeros", graph, graph}, 2},
        {{"zeros", graph, "--function", "4"}, 2},
        {{"zeros", graph, "--function", "0"}, 2},
        {{"zeros", graph, "--function", "one"}, 2},
        {{"zeros", graph, "--precision", "0"}, 2},
        {{"zeros", graph, "--precision", "11"}, 2},
        {{"zeros", graph, "--precision", "2.5"}, 2},
        {{"zeros", graph, "--colour", "red"}, 2},
        {{"zeros", graph, "--digits", "0"}, 2},
        {{"zeros", graph, "--digits", "16"}, 2},
        {{"zeros", graph, "--digits", "twelve"}, 2},
        // The analyses with inputs of their own: each input where it belongs, and a number.
        {{"intersections", graph}, 2},
        {{"intersections", graph, "--with", "4"}, 2},
        {{"intersections", graph, "--with", "0"}, 2},
        {{"intersections", graph, "--with", "2", "--at", "1"}, 2},
        {{"tangent", graph}, 2},
        {{"tangent", graph, "--at", "one"}, 2},
        {{"tangent", graph, "--at", "x"}, 2},
        {{"tangent", graph, "--at", "1/0"}, 2},
        {{"tangent", graph, "--at", "inf"}, 2},
        {{"tangent", graph, "--at", "nan"}, 2},
        {{"tangent", graph, "--at", "1", "--from", "0"}, 2},
        {{"tangent", graph, "--at", "1", "--with", "2"}, 2},
        {{"zeros", graph, "--with", "2"}, 2},
        {{"extrema", graph, "--at", "2"}, 2},
        {{"integral", graph, "--from", "x"}, 2},
        {{"integral", graph, "--to", ""}, 2},
        {{"integral", graph, "--with", "9"}, 2},
        {{"locus", graph, "--of", "zeros"}, 2},
        {{"locus", graph, "--of", ""}, 2},
        {{"extrema", graph, "--of", "extrema"}, 2},
        {{"zeros", Path("missing.zel")}, 1},
        {{"zeros", Path("short.zel")}, 1},
        {{"zeros", m_dir.path()}, 1},
        {{"zeros", Path("empty.zel")}, 1}, // no function to discuss: the file, not the call, is wrong
    };
    CZelDoc empty;
    WriteFile(QStringLiteral("empty.zel"), WriteGraphFile(empty));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("vexplot: ")) << run.err.toStdString();
        // German throughout, and a message about a file names it.
        for (const char* english : {"usage", "expected", "unknown", "Unknown", "holds", "cannot"}) {
            EXPECT_FALSE(run.err.contains(english)) << run.err.toStdString();
        }
        if (c.exitCode == 1) {
            EXPECT_TRUE(run.err.contains(QFile::encodeName(c.arguments.at(1)))) << run.err.toStdString();
        }
    }
}

// The three school analyses as a teacher would call them, with the numbers known from the board.
TEST_F(DiscussCommand, IntersectionsTangentAndIntegral)
{
    CZelDoc doc;
    doc.SetFunctions({MakeFunction("x^2"), MakeFunction("x+2"), MakeFunction("x^3"), MakeFunction("sin(x)")});
    WriteFile(QStringLiteral("school.zel"), WriteGraphFile(doc));
    const QString school = Path("school.zel");
    struct Case
    {
        QStringList arguments;
        QByteArray out;
    };
    const Case cases[] = {
        {{"intersections", school, "--function", "1", "--with", "2"}, "S ( -1 | 1 )\nS ( 2 | 4 )\n"},
        {{"intersections", school, "--with", "1"}, "Die Funktionen sind gleich.\n"},
        {{"tangent", school, "--function", "3", "--at", "1"},
         "P ( 1 | 1 )\nSteigung: 3\nTangente: y = 3*x-2\nNormale: y = -0.33333*x+1.33333\n"},
        {{"tangent", school, "--function", "3", "--at", "-0.5", "--digits", "2"},
         "P ( -0.5 | -0.12 )\nSteigung: 0.75\nTangente: y = 0.75*x+0.25\nNormale: y = -1.33*x-0.79\n"},
        {{"integral", school, "--function", "4", "--from", "0", "--to", "6.283185307179586", "--digits",
          "10"},
         "Integral von 0 bis 6.2831853072: 0\nFl\xC3\xA4"
         "che: 4\n[ 0; 3.1415926536 ]: 2\n"
         "[ 3.1415926536; 6.2831853072 ]: -2\n"},
        {{"integral", school, "--with", "2", "--from", "-1", "--to", "2"},
         "Integral von -1 bis 2: -4.5\nFl\xC3\xA4"
         "che: 4.5\n[ -1; 2 ]: -4.5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out.toStdString());
    }
}

// The Ortskurve as a teacher checks it on the board: the points at the family's k, and the term in
// the program's language, with the point even where the numbers take the comma.
TEST_F(DiscussCommand, LocusOfExtremaAndInflections)
{
    struct Case
    {
        QStringList arguments;
        QByteArray out;
    };
    const Case cases[] = {
        {{"locus", "--term", "x^2-2*k*x+k", "--family", "0:2:1", "--precision", "1"},
         "Zweig 1: T f\xC3\xBCr k von 0 bis 2 (401 Punkte)\nk = 0; T ( 0 | 0 )\nk = 1; T ( 1 | 0 )\n"
         "k = 2; T ( 2 | -2 )\nOrtskurve: y = x-x^2\n\n"},
        {{"locus", "--term", "x^4-6*k*x^2", "--family", "1:4:1.5", "--of", "inflections", "--decimal-comma",
          "--precision", "1"},
         "Zweig 1: W f\xC3\xBCr k von 1 bis 4 (401 Punkte)\nk = 1; W ( -1 | -5 )\n"
         "k = 2,5; W ( -1,58114 | -31,25 )\nk = 4; W ( -2 | -80 )\nOrtskurve: y = -5*x^4\n\n"
         "Zweig 2: W f\xC3\xBCr k von 1 bis 4 (401 Punkte)\nk = 1; W ( 1 | -5 )\n"
         "k = 2,5; W ( 1,58114 | -31,25 )\nk = 4; W ( 2 | -80 )\nOrtskurve: y = -5*x^4\n\n"},
        {{"locus", Path("graph.zel"), "--of", "extrema"},
         "Eine Ortskurve gibt es nur f\xC3\xBCr eine Funktionenschar mit mehr als einem Wert von k.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out.toStdString());
    }
}

// A German locale writes decimal commas through printf; the lines keep the point in every analysis.
TEST_F(DiscussCommand, TheSameBytesUnderAGermanLocale)
{
    CZelDoc doc;
    doc.SetFunctions({MakeFunction("x^2-k", 1, 0, 1, 0.5), MakeFunction("x^3/3-x")});
    WriteFile(QStringLiteral("locale.zel"), WriteGraphFile(doc));
    const QString file = Path("locale.zel");
    const struct
    {
        QStringList arguments;
        QByteArray contains;
    } cases[] = {
        {{"zeros", file, "--exact"}, "k = 0.5; N ( -0.70711 | "},
        {{"extrema", file, "--digits", "12", "--exact", "--function", "2"}, "H ( -1 | 0.666666666667 )"},
        {{"table", file}, "-5\t24.5\t-10\t2\t0.5"},
        {{"monotony", file, "--function", "2", "--exact"}, "[ -1; 1 ] monoton fallend"},
        {{"tangent", file, "--function", "2", "--at", "0.5"}, "Steigung: -0.75"},
        {{"integral", file, "--from", "-1.5", "--to", "0.25"}, "k = 0.5; Integral von -1.5 bis 0.25: "},
        {{"intersections", file, "--with", "2"}, "k = 0.5; S ( "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult plain = Run(c.arguments, std::nullopt, {}, QStringLiteral("C"));
        const CRunResult german = Run(c.arguments, std::nullopt, {}, QStringLiteral("de_DE.UTF-8"));
        EXPECT_EQ(plain.exitCode, 0) << plain.err.toStdString();
        EXPECT_EQ(german.exitCode, 0) << german.err.toStdString();
        EXPECT_TRUE(plain.out.contains(c.contains)) << plain.out.toStdString();
        EXPECT_EQ(german.out.toStdString(), plain.out.toStdString());
    }
}

// A number argument is read as a number field reads it: with the comma, or as an expression.
TEST_F(DiscussCommand, NumberArgumentsTakeTheCommaAndExpressions)
{
    const QString graph = Path("graph.zel");
    const std::pair<QStringList, QStringList> cases[] = {
        {{"tangent", graph, "--at", "1,5"}, {"tangent", graph, "--at", "1.5"}},
        {{"tangent", graph, "--at", "-sqrt(6)"}, {"tangent", graph, "--at", "-2.449489742783178"}},
        {{"integral", graph, "--from", "-pi/2", "--to", "pi/2"},
         {"integral", graph, "--from", "-1.570796326795", "--to", "1.570796326795"}},
    };
    for (const auto& [typed, plain] : cases) {
        SCOPED_TRACE(typed.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(typed);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_FALSE(run.out.isEmpty());
        EXPECT_EQ(run.out.toStdString(), Run(plain).out.toStdString());
    }
}

// A term the reading quietly completes is named, and the discussion goes on as before.
TEST_F(DiscussCommand, NamesEveryFaultyTermAndGoesOn)
{
    CZelDoc doc;
    doc.SetFunctions({MakeFunction("sin(x"), MakeFunction("x^2"), MakeFunction("3*x/")});
    WriteFile(QStringLiteral("faulty.zel"), WriteGraphFile(doc));
    const CRunResult run = Run({"zeros", Path("faulty.zel"), "--function", "2"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.err.toStdString(),
        "vexplot: Warnung: Funktion 1, f(x)=sin(x: zur Klammer an Stelle 4 fehlt die schlie\xC3\x9F"
        "ende "
        "Klammer.\n"
        "vexplot: Warnung: Funktion 3, f(x)=3*x/: an Stelle 5 fehlt eine Zahl oder ein Name; dort wird mit 1 "
        "gerechnet.\n");
    CZelDoc clean;
    clean.SetFunctions({MakeFunction("x^2")});
    WriteFile(QStringLiteral("clean.zel"), WriteGraphFile(clean));
    EXPECT_EQ(run.out.toStdString(), Run({"zeros", Path("clean.zel")}).out.toStdString());
}

// The case a teacher tried first: three zeros of a steep cubic, at the finest precision, once each
// and to twelve decimals; the extrema and the monotony limits at the same points.
TEST_F(DiscussCommand, ExactPointsOfTheCubicToTwelveDecimals)
{
    CZelDoc doc;
    CScaling scaling;
    scaling.SetXRange(-10, 10, 1);
    doc.SetScaling(scaling);
    doc.SetFunctions({MakeFunction("0.5*x^3-2*x")});
    WriteFile(QStringLiteral("cubic.zel"), WriteGraphFile(doc));
    const double root = 2 / std::sqrt(3.0);
    struct Case
    {
        const char* analysis;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"zeros", {"N ( -2 | 0 )", "N ( 0 | 0 )", "N ( 2 | 0 )"}},
        {"extrema", {"H ( -1.154700538379 | 1.539600717839 )", "T ( 1.154700538379 | -1.539600717839 )"}},
        {"monotony",
         {"[ -10; -1.154700538379 ] monoton steigend", "[ -1.154700538379; 1.154700538379 ] monoton fallend",
          "[ 1.154700538379; 10 ] monoton steigend"}},
    };
    ASSERT_NEAR(root, 1.154700538379, 1e-12);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.analysis);
        const CRunResult run =
            Run({c.analysis, Path("cubic.zel"), "--exact", "--digits", "12", "--precision", "10"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        std::vector<std::string> lines;
        for (const QByteArray& line : run.out.split('\n')) {
            if (!line.isEmpty()) {
                lines.push_back(line.toStdString());
            }
        }
        EXPECT_EQ(lines, c.lines);
    }
}

// A table of a hundred million rows into a full output: the first write that fails ends the run,
// long before the scan would have.
TEST_F(DiscussCommand, StopsAtTheFirstFailedWrite)
{
    CZelDoc doc;
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1e-7);
    doc.SetScaling(scaling);
    doc.SetFunctions({MakeFunction("x")});
    WriteFile(QStringLiteral("fine.zel"), WriteGraphFile(doc));
    const CRunResult run = Run({"table", Path("fine.zel")}, std::nullopt, QStringLiteral("/dev/full"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(SystemErrorText(ENOSPC).c_str())) << run.err.toStdString();
}

// A family of a billion values is discussed for its first thousand, and the last line says so.
TEST_F(DiscussCommand, SaysWhereAFamilyWasCut)
{
    CZelDoc doc;
    CScaling scaling;
    scaling.SetXRange(0, 2, 1);
    doc.SetScaling(scaling);
    doc.SetFunctions({MakeFunction("x-k", 1, 0, 1e9, 1)});
    WriteFile(QStringLiteral("family.zel"), WriteGraphFile(doc));
    const CRunResult run = Run({"table", Path("family.zel")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.at(lines.size() - 2), "Nur die ersten 1000 Werte von k wurden untersucht, bis k = 999.");
    EXPECT_EQ(lines.size(), 2 + 4 * 1000 + 2); // header, empty line, 1000 groups, the note, the end
}

// A file saved with the slider on is discussed at the slider's k, as the window shows it; the
// Ortskurve alone still runs over the whole family.
TEST_F(DiscussCommand, AFileWithTheSliderOnIsDiscussedAtItsK)
{
    CZelDoc doc;
    doc.SetFunctions({MakeFunction("x^2"), MakeFunction("x^2-2*k*x+k", 1, 0, 3, 1)});
    doc.SetSlider(SSliderState{1, 2});
    // After the functions come F of the member (x^3/3 - 2x^2 + 2x) and the first derivative of x^2.
    doc.SetDerived({CDerivedCurve{1, EDerivedKind::Antiderivative}, CDerivedCurve{0, EDerivedKind::FirstDerivative}});
    WriteFile(QStringLiteral("slider.zel"), WriteGraphFile(doc));
    struct SCase
    {
        QStringList arguments;
        QByteArray out;
    };
    const SCase cases[] = {
        {{"extrema", Path("slider.zel"), "--function", "2"}, "k = 2; T ( 2 | -2 )\n\n"},
        {{"zeros", Path("slider.zel"), "--function", "2", "--digits", "4"},
         "k = 2; N ( 0.5858 | 0 )\nk = 2; N ( 3.4142 | 0 )\n\n"},
        {{"extrema", Path("slider.zel")}, "T ( 0 | 0 )\n"},
        {{"zeros", Path("slider.zel"), "--function", "3"},
         "k = 2; N ( 0 | 0 )\nk = 2; N ( 1.26795 | 0 )\nk = 2; N ( 4.73205 | 0 )\n\n"},
        {{"zeros", Path("slider.zel"), "--function", "4"}, "N ( 0 | 0 )\n"},
        {{"tangent", Path("slider.zel"), "--function", "3", "--at", "1"},
         "F\xC3\xBCr eine Stammfunktion ist diese Berechnung nicht verf\xC3\xBCgbar.\n"},
        {{"locus", Path("slider.zel"), "--function", "2", "--precision", "1"},
         "Zweig 1: T f\xC3\xBCr k von 0 bis 3 (403 Punkte)\nk = 0; T ( 0 | 0 )\nk = 1; T ( 1 | 0 )\n"
         "k = 2; T ( 2 | -2 )\nk = 3; T ( 3 | -6 )\nOrtskurve: y = x-x^2\n\n"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out.toStdString());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app{argc, argv};
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Every kind of line in both separators, from terms typed on the command line: the comma replaces the
// point in every number, nothing else moves, and the equations keep the point so they read back as terms.
TEST_F(DiscussCommand, EveryLineKindInBothSeparators)
{
    struct Case
    {
        QStringList arguments;
        QByteArray point;
        QByteArray comma;
    };
    const Case cases[] = {
        {{"zeros", "--exact", "--term", "x^2-2"},
         "N ( -1.41421 | 0 )\nN ( 1.41421 | 0 )\n",
         "N ( -1,41421 | 0 )\nN ( 1,41421 | 0 )\n"},
        {{"monotony", "--exact", "--term", "sin(x)", "--digits", "3"},
         "[ -5; -4.712 ] monoton steigend\n[ -4.712; -1.571 ] monoton fallend\n"
         "[ -1.571; 1.571 ] monoton steigend\n[ 1.571; 4.712 ] monoton fallend\n[ 4.712; 5 ] monoton "
         "steigend\n",
         "[ -5; -4,712 ] monoton steigend\n[ -4,712; -1,571 ] monoton fallend\n"
         "[ -1,571; 1,571 ] monoton steigend\n[ 1,571; 4,712 ] monoton fallend\n[ 4,712; 5 ] monoton "
         "steigend\n"},
        {{"tangent", "--term", "x³/3", "--at", "0,7"},
         "P ( 0.7 | 0.11433 )\nSteigung: 0.49\nTangente: y = 0.49*x-0.22867\nNormale: y = "
         "-2.04082*x+1.5429\n",
         "P ( 0,7 | 0,11433 )\nSteigung: 0,49\nTangente: y = 0.49*x-0.22867\nNormale: y = "
         "-2.04082*x+1.5429\n"},
        {{"integral", "--term", "x^2-2", "--from", "-2", "--to", "2,5"},
         "Integral von -2 bis 2.5: -1.125\nFl\xC3\xA4"
         "che: 6.41747\n[ -2; -1.41421 ]: 0.55228\n"
         "[ -1.41421; 1.41421 ]: -3.77124\n[ 1.41421; 2.5 ]: 2.09395\n",
         "Integral von -2 bis 2,5: -1,125\nFl\xC3\xA4"
         "che: 6,41747\n[ -2; -1,41421 ]: 0,55228\n"
         "[ -1,41421; 1,41421 ]: -3,77124\n[ 1,41421; 2,5 ]: 2,09395\n"},
        {{"zeros", "--exact", "--term", "x-k", "--family", "0,5:1,5:0,5"},
         "k = 0.5; N ( 0.5 | 0 )\n\nk = 1; N ( 1 | 0 )\n\nk = 1.5; N ( 1.5 | 0 )\n\n",
         "k = 0,5; N ( 0,5 | 0 )\n\nk = 1; N ( 1 | 0 )\n\nk = 1,5; N ( 1,5 | 0 )\n\n"},
        {{"intersections", "--term", "x^2", "--term", "x+2", "--with", "2", "--function", "1"},
         "S ( -1 | 1 )\nS ( 2 | 4 )\n",
         "S ( -1 | 1 )\nS ( 2 | 4 )\n"},
        {{"tangent", "--term", "sqrt(x)", "--at", "-1,5"},
         "f ist an der Stelle x0 = -1.5 nicht definiert.\n",
         "f ist an der Stelle x0 = -1,5 nicht definiert.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult point = Run(c.arguments);
        EXPECT_EQ(point.exitCode, 0) << point.err.toStdString();
        EXPECT_EQ(point.out.toStdString(), c.point.toStdString());
        const CRunResult comma = Run(c.arguments + QStringList{QStringLiteral("--decimal-comma")});
        EXPECT_EQ(comma.exitCode, 0) << comma.err.toStdString();
        EXPECT_EQ(comma.out.toStdString(), c.comma.toStdString());
    }
    // The value table: only the separator inside each number changes; the tabs stay the columns.
    const CRunResult table = Run({"table", "--term", "x/4", "--decimal-comma"});
    const QList<QByteArray> rows = table.out.split('\n');
    ASSERT_GT(rows.size(), 4);
    EXPECT_EQ(rows.at(0), "x\tf(x)\tf'(x)\tf''(x)");
    EXPECT_EQ(rows.at(2), "-5\t-1,25\t0,25\t0");
    // The same file the window would write gives the same lines as the terms typed.
    EXPECT_EQ(Run({"zeros", "--term", "x^3-3x"}).out, Run({"zeros", Path("graph.zel")}).out);
}

// --term and --family: what a typed graph may be, and each refusal in one line with status 2.
TEST_F(DiscussCommand, TermsAndFamiliesAndTheirRefusals)
{
    struct Case
    {
        QStringList arguments;
        int exitCode;
        QByteArray errorPart;
    };
    const Case cases[] = {
        {{"zeros", "--term", "x+"}, 2, "--term \"x+\": an Stelle 3 fehlt eine Zahl"},
        {{"zeros", "--term", "sin(x"},
         2,
         "an Stelle 4 fehlt zur Klammer die schlie\xC3\x9F"
         "ende"},
        {{"zeros", "--term", "x^2", "--term", "a*x"},
         2,
         "--term \"a*x\": an Stelle 1 steht ein unbekannter Name"},
        {{"zeros", "--term", "x", Path("graph.zel")}, 2, "entweder DATEI oder --term"},
        {{"zeros", Path("graph.zel"), "--family", "0:1:1"}, 2, "--family gilt nur zusammen mit --term"},
        {{"zeros", "--term", "x-k", "--family", "0:1"}, 2, "--family 0:1: erwartet wird VON:BIS:SCHRITT"},
        {{"zeros", "--term", "x-k", "--family", "0:1:1:2"}, 2, "--family 0:1:1:2:"},
        {{"zeros", "--term", "x-k", "--family", "1:0:0,5"}, 2, "--family 1:0:0,5:"},
        {{"zeros", "--term", "x-k", "--family", "0:1:0"}, 2, "--family 0:1:0:"},
        {{"zeros", "--term", "x-k", "--family", "0:1:1"}, 2, "--family 0:1:1:"},
        {{"zeros", "--term", "x-k", "--family", "0:1:x"}, 2, "--family 0:1:x:"},
        {{"zeros", "--term", "x", "--function", "2"}, 2, "--function 2: --term gibt nur eine Funktion"},
        {{"zeros", "--exact", "--term", "x-k", "--family", "-pi/2:pi/2:pi/2"}, 0, ""},
        {{"zeros", "--exact", "--term", "x\xC2\xB2-4", "--term", "0,5x-1", "--function", "2"}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CRunResult run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(c.errorPart)) << run.err.toStdString();
        } else {
            EXPECT_FALSE(run.out.isEmpty());
        }
    }
    // -pi/2 to pi/2 in steps of pi/2 is three values of k, each with its one zero at x = k.
    EXPECT_EQ(Run({"zeros", "--exact", "--term", "x-k", "--family", "-pi/2:pi/2:pi/2"}).out,
              "k = -1.5708; N ( -1.5708 | 0 )\n\nk = 0; N ( 0 | 0 )\n\nk = 1.5708; N ( 1.5708 | 0 )\n\n");
    EXPECT_EQ(Run({"zeros", "--exact", "--term", "x\xC2\xB2-4", "--term", "0,5x-1", "--function", "2"}).out,
              "N ( 2 | 0 )\n");
}

namespace {

// The text of a PDF as a text extractor reads it, and its page size; nothing where the extractor
// is missing.
std::optional<QString> PdfTool(const char* tool, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromLatin1(tool), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The results sheet holds the discussion as text (searchable, not a picture), on A4, with the
// term as its heading; a sheet that names no .pdf is refused.
TEST_F(DiscussCommand, TheSheetHoldsTheWholeDiscussionAsTextOnA4)
{
    const QString sheet = Path("blatt.pdf");
    m_command = QStringLiteral("--sheet");
    const CRunResult run = Run({sheet, Path("graph.zel")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const std::optional<QString> text = PdfTool("pdftotext", {sheet, QStringLiteral("-")});
    const std::optional<QString> info = PdfTool("pdfinfo", {sheet});
    if (!text || !info) {
        GTEST_SKIP() << "pdftotext or pdfinfo missing (scripts/setup installs poppler-utils)";
    }
    for (const char* line : {"f(x) = x^3-3*x", "Kurvendiskussion von f(x) = x^3-3*x auf [ -2; 2 ]",
                             "Definitionsbereich: [ -2; 2 ]", "H ( -1 | 2 )", "T ( 1 | -2 )",
                             // proven where the computer-algebra module is built, numerical where not
                             "Für x → +∞: f(x) → +∞", "[ 0; 2 ] linksgekrümmt",
                             "Wertebereich auf [ -2; 2 ]: [ -2; 2 ]"}) {
        EXPECT_TRUE(text->contains(QString::fromUtf8(line))) << line << "\n" << text->toStdString();
    }
    EXPECT_TRUE(info->contains(QStringLiteral("(A4)"))) << info->toStdString();

    const CRunResult wrong = Run({Path("blatt.png"), Path("graph.zel")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains("muss auf .pdf enden")) << wrong.err.constData();
}

} // namespace
