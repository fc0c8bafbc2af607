#include "ui/RtfTextDocument.h"

#include "rtf/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
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

QTEST_MAIN(RtfTextDocumentTest)
#include "RtfTextDocumentTest.moc"
