// Every golden chart drawn 1000 pixels wide: the SHA-256 of its pixels as in tests/golden/image_hashes.txt.
#include "qt_render/image_export.h"

#include "tests/golden/golden_cases.h"

#include <QtGui>
#include <QtTest>

#include <fstream>
#include <map>
#include <sstream>

using namespace hyg;

class TestGoldenImages : public QObject {
    Q_OBJECT
private slots:
    void everyChartPixelForPixel();
};

void TestGoldenImages::everyChartPixelForPixel() {
    const std::string hashFile = test::GoldenDir() + "/image_hashes.txt";
    std::map<std::string, std::string> want;
    std::ifstream in(hashFile);
    for (std::string name, hash; in >> name >> hash;)
        want[name] = hash;
    std::ostringstream written;
    for (const test::GoldenCase& c : test::GoldenCases()) {
        Chart chart;
        chart.settings = DefaultChartSettings();
        c.set(chart.settings);
        const QImage rgb = RenderChartImage(chart, 1000, nullptr).convertToFormat(QImage::Format_RGB32);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (int y = 0; y < rgb.height(); ++y)
            hash.addData(
                QByteArrayView(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype{rgb.width()} * 4));
        const std::string got = hash.result().toHex().toStdString();
        written << c.name << ' ' << got << '\n';
        if (!test::UpdatingGoldens())
            QVERIFY2(want[c.name] == got, ("pixels of " + c.name + " differ from the golden image").c_str());
    }
    if (test::UpdatingGoldens())
        std::ofstream(hashFile) << written.str();
}

QTEST_MAIN(TestGoldenImages)
#include "test_golden_images.moc"
