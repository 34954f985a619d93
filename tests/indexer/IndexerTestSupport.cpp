#include "tests/indexer/IndexerTestSupport.h"

#include "indexer/IndexPolicy.h"
#include "indexer/Pacing.h"
#include "indexer/TextExtractor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <zip.h>

namespace IndexerTest {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

void writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& members)
{
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : members) {
        // libzip reads the buffer at close time; keep copies alive until then.
        auto* copy = static_cast<char*>(std::malloc(static_cast<size_t>(bytes.size()) + 1));
        std::memcpy(copy, bytes.constData(), static_cast<size_t>(bytes.size()));
        zip_source_t* source =
            zip_source_buffer(archive, copy, static_cast<zip_uint64_t>(bytes.size()), 1);
        ASSERT_NE(source, nullptr);
        ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QByteArray makePdf(const QByteArray& text)
{
    const QByteArray content = "BT /F1 18 Tf 72 700 Td (" + text + ") Tj ET";
    const QList<QByteArray> objects = {
        "<< /Type /FileCatalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
            "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

PassStats indexFolder(const QString& catalogPath, const QString& folder)
{
    FileCatalog catalog(catalogPath);
    catalog.open();
    const IndexPolicy policy({folder}, {QStringLiteral("*.tmp")},
                             QFileInfo(catalogPath).absolutePath());
    const TextExtractor extractor;
    Crawler crawler(catalog, policy, extractor, Pacing{});
    return crawler.fullPass();
}

QString phraseStatement(const QString& phrase, const QString& folder, const QString& traversal)
{
    return QStringLiteral(" SELECT Filename, Size, Write, Path \r\n"
                          " FROM SCOPE('%1 TRAVERSAL OF \"%2\"') \r\n"
                          " WHERE CONTAINS('\"%3\"') \r\n")
        .arg(traversal, folder, phrase);
}

QStringList names(const StatementResult& result)
{
    QStringList names;
    const int column = result.columnIndex(QStringLiteral("filename"));
    for (const QVariantList& row : result.rows)
        names.append(row.at(column).toString());
    return names;
}

QStringList search(const QString& catalogPath, const QString& phrase)
{
    QStringList found = names(StatementProvider(catalogPath).run(phraseStatement(phrase)));
    found.sort();
    return found;
}

} // namespace IndexerTest
