#include "ui/RtfTextDocument.h"

#include "rtf/RtfReader.h"
#include "ui/TextContrast.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

namespace {

constexpr int kWidth = 200; // pixels, narrower than any of the words below

std::string Letters(int count) {
    std::string letters;
    for (int i = 0; i < count; ++i) {
        letters += static_cast<char>('a' + i % 26);
    }
    return letters;
}

void Fill(QTextDocument& document, const std::string& rtf) {
    korvel::FillTextDocument(document, korvel::rtf::ReadRtf(rtf));
    document.setTextWidth(kWidth);
    document.documentLayout()->documentSize(); // lays out the whole document
}

} // namespace

class RtfTextDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void wordsWiderThanTheLineBreakInsideIt_data();
    void wordsWiderThanTheLineBreakInsideIt();
    void emptyParagraphsKeepTheirHeight();
    void everyTextOfTheGuideReadsOnItsBackground_data();
    void everyTextOfTheGuideReadsOnItsBackground();
};

void RtfTextDocumentTest::wordsWiderThanTheLineBreakInsideIt_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    const std::string a = Letters(200), b = Letters(300), c = Letters(5000);
    QTest::newRow("shorter than a long word") << QByteArray(a.c_str()) << QString::fromStdString(a);
    QTest::newRow("just past a long word") << QByteArray(b.c_str()) << QString::fromStdString(b);
    QTest::newRow("very long") << QByteArray(c.c_str()) << QString::fromStdString(c);
    QTest::newRow("one word over two runs")
        << QByteArray((c + "{\\b " + c + "}").c_str()) << QString::fromStdString(c + c);
    QTest::newRow("after a short word")
        << QByteArray(("x " + c).c_str()) << QString::fromStdString("x " + c);
}

void RtfTextDocumentTest::wordsWiderThanTheLineBreakInsideIt() {
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QTextDocument document;
    Fill(document, "{\\rtf1\\ansi " + body.toStdString() + "}");

    const QTextBlock block = document.firstBlock();
    QVERIFY(block.layout()->lineCount() > 1);
    for (int i = 0; i < block.layout()->lineCount(); ++i) {
        QVERIFY2(block.layout()->lineAt(i).naturalTextWidth() <= kWidth,
                 qPrintable(QStringLiteral("line %1 overflows").arg(i)));
    }
    // Break opportunities are invisible and are all that was added.
    QCOMPARE(block.text().remove(QChar(0x200B)), text);
}

void RtfTextDocumentTest::emptyParagraphsKeepTheirHeight() {
    // The same empty lines, once in paragraphs of one format and once with the
    // alignment (invisible in an empty line) changing at every paragraph.
    std::string same = "{\\rtf1\\ansi x\\par ", mixed = same;
    for (int i = 0; i < 40; ++i) {
        same += "\\par ";
        mixed += i % 2 ? "\\ql\\par " : "\\qc\\par ";
    }
    same += "\\ql y\\par}";
    mixed += "\\ql y\\par}";
    QTextDocument sameDocument, mixedDocument;
    Fill(sameDocument, same);
    Fill(mixedDocument, mixed);

    QCOMPARE(sameDocument.documentLayout()->documentSize(),
             mixedDocument.documentLayout()->documentSize());
    QVERIFY(sameDocument.blockCount() < mixedDocument.blockCount());
    QCOMPARE(sameDocument.lastBlock().text(), QStringLiteral("y"));
}

namespace {

// The colours a fragment of text is drawn in and on: its own, else its cell's,
// else the page's.
std::pair<QColor, QColor> DrawnColours(const QTextBlock& block, const QTextFragment& fragment,
                                       const korvel::PageColours& page) {
    const QTextCharFormat format = fragment.charFormat();
    const QColor text =
        format.foreground().style() == Qt::NoBrush ? page.text : format.foreground().color();
    QColor background = page.background;
    if (format.background().style() != Qt::NoBrush) {
        background = format.background().color();
    } else if (QTextTable* table = QTextCursor(block).currentTable()) {
        const QTextTableCellFormat cell =
            table->cellAt(block.position()).format().toTableCellFormat();
        if (cell.background().style() != Qt::NoBrush) {
            background = cell.background().color();
        }
    }
    return {text, background};
}

} // namespace

// The guide, with its coloured headings, links and shaded table header, shown
// on the viewer's colours of light and dark themes. A highlighted run stands
// for the document colours the guide may take on later.
void RtfTextDocumentTest::everyTextOfTheGuideReadsOnItsBackground_data() {
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("link");
    QTest::addColumn<QColor>("heading");
    const QColor guideHeading(31, 73, 125);
    QTest::newRow("light tool-tip")
        << QColor("#ffffdc") << QColor(Qt::black) << QColor("#0000ff") << guideHeading;
    QTest::newRow("white") << QColor(Qt::white) << QColor(Qt::black) << QColor("#2a76c6")
                           << guideHeading;
    QTest::newRow("qt6ct darker") << QColor("#3f3f36") << QColor(Qt::white) << QColor("#0986d3")
                                  << QColor(Qt::white);
    QTest::newRow("breeze dark") << QColor("#31363b") << QColor("#eff0f1") << QColor("#2980b9")
                                 << QColor("#eff0f1");
    QTest::newRow("black") << QColor(Qt::black) << QColor("#eeeeec") << QColor("#8ab4f8")
                           << QColor("#eeeeec");
    // A theme whose own text colour cannot be read on its page.
    QTest::newRow("grey page, grey text")
        << QColor("#777777") << QColor("#888888") << QColor("#0000ff") << QColor(Qt::black);
}

void RtfTextDocumentTest::everyTextOfTheGuideReadsOnItsBackground() {
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(QColor, link);
    QFETCH(QColor, heading);
    QFile guide(QCoreApplication::applicationDirPath() + QStringLiteral("/Korvel_Config.rtf"));
    QVERIFY(guide.open(QIODevice::ReadOnly));
    std::string rtf = guide.readAll().toStdString();
    // A run highlighted in the guide's own heading colour, and one in yellow,
    // added at the end of its colour table.
    const std::size_t table = rtf.find("\\colortbl");
    QVERIFY(table != std::string::npos);
    rtf.insert(rtf.find('}', table), "\\red255\\green255\\blue0;");
    rtf.insert(rtf.rfind('}'), "{\\cb1 dark highlight}{\\highlight4 yellow highlight}\\par ");

    const korvel::PageColours page{background, text, link};
    QTextDocument document;
    korvel::FillTextDocument(document, korvel::rtf::ReadRtf(rtf), page);

    int fragments = 0;
    bool headingSeen = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            // A picture stands in the text as one object character: it is no text.
            if (fragment.text().trimmed().isEmpty() || fragment.charFormat().isImageFormat()) {
                continue;
            }
            const auto [fore, back] = DrawnColours(block, fragment, page);
            QVERIFY2(korvel::Contrast(fore, back) >= korvel::kReadableContrast,
                     qPrintable(QStringLiteral("'%1': %2 on %3, %4:1")
                                    .arg(fragment.text().left(40), fore.name(), back.name())
                                    .arg(korvel::Contrast(fore, back), 0, 'f', 2)));
            headingSeen =
                headingSeen || (block.blockFormat().headingLevel() > 0 && fore == heading);
            ++fragments;
        }
    }
    QVERIFY(fragments > 100);
    QVERIFY2(headingSeen, "the headings keep the guide's colour where it can be read");
}

QTEST_MAIN(RtfTextDocumentTest)
#include "RtfTextDocumentTest.moc"
