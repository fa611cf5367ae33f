// The batch queue served one label file at a time: order kept across runs,
// records joining the label's own, unreadable files dropped.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/LabelFile.h"
#include "output/BatchQueue.h"

namespace kestrix {
namespace {

LabelElement Text(const char16_t* text) { return CreateElement(kText, {5, 5}, text); }

QStringList Texts(const std::vector<LabelElement>& elements) {
    QStringList out;
    for (const LabelElement& e : elements) out << QString::fromStdU16String(ElementText(e));
    return out;
}

// A label saved after printing through the driver (so its name block is
// recognised whatever follows), one text element per entry of `texts`.
QByteArray LabelBytes(std::initializer_list<const char16_t*> texts) {
    LabelDocument doc;
    doc.printerName = "TSC TE200";
    for (const char16_t* text : texts) doc.elements.push_back(Text(text));
    return LabelFileBytes(doc);
}

class BatchQueueTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(BatchQueueTest, OneFileServedPerRunFromTheFrontJoiningTheLabel) {
    QStringList queue = {Write("a.lab", LabelBytes({u"a1", u"a2"})), Write("b.lab", LabelBytes({u"b1"})),
                         Write("c.lab", LabelBytes({u"c1"}))};
    const QStringList paths = queue;
    std::vector<LabelElement> elements = {Text(u"own")};
    elements[0].hCache = 7;

    EXPECT_EQ(ServeQueuedLabel(queue, elements), paths[0]);
    EXPECT_EQ(Texts(elements), QStringList({"own", "a1", "a2"}));
    EXPECT_EQ(queue, paths.mid(1));
    EXPECT_EQ(elements[0].hCache, 7u) << "the label's own elements are left alone";
    EXPECT_EQ(ServeQueuedLabel(queue, elements), paths[1]);
    EXPECT_EQ(Texts(elements).last(), QStringLiteral("b1"));
    EXPECT_EQ(queue, paths.mid(2));
}

TEST_F(BatchQueueTest, WhatAFileYields) {
    LabelElement cached = Text(u"c");
    cached.hCache = 0xABCD;
    const QByteArray record(reinterpret_cast<const char*>(&cached), kRecordSize);
    const QByteArray sizeText = QByteArray("40 30").leftJustified(kSizeTextBytes, '\0');
    struct Case {
        const char* name;
        QByteArray bytes;
        bool read;
        QStringList texts;
    };
    const Case cases[] = {
        {"short tail", LabelBytes({u"x", u"y"}) + QByteArray(300, 'z'), true, {"x", "y"}},
        {"older layout with a short tail", sizeText + record + QByteArray(795, '\0'), true, {"c"}},
        {"no records", sizeText, true, {}},
        {"not a label", QByteArray("just some text, nothing like a label file"), false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList queue = {Write("f.lab", c.bytes), QStringLiteral("next.lab")};
        std::vector<LabelElement> elements;
        const QString served = ServeQueuedLabel(queue, elements);
        EXPECT_EQ(Texts(elements), c.texts);
        EXPECT_EQ(!served.isEmpty(), c.read);
        EXPECT_EQ(queue, QStringList{"next.lab"}) << "the path leaves the queue either way";
        for (const LabelElement& e : elements) EXPECT_EQ(e.hCache, 0u);
    }
}

TEST_F(BatchQueueTest, MissingFileIsDroppedAndEmptyQueueServesNothing) {
    QStringList queue = {dir_.filePath("gone.lab"), dir_.path()};
    std::vector<LabelElement> elements = {Text(u"own")};
    EXPECT_TRUE(ServeQueuedLabel(queue, elements).isEmpty());
    EXPECT_TRUE(ServeQueuedLabel(queue, elements).isEmpty()) << "a folder is no label";
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(ServeQueuedLabel(queue, elements).isEmpty());
    EXPECT_EQ(Texts(elements), QStringList{"own"});
}

}  // namespace
}  // namespace kestrix
