// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// tallimo_iconpixels: writes the window's images (the toolbar's and the program's icon), drawn
// beforehand as PNG files, as C++ arrays of premultiplied ARGB pixels, so that the window shows
// them without decoding an image file.
//
// usage: tallimo_iconpixels OUTPUT.cpp NAME=FILE.png ...
// A file whose name ends in "@2x.png" is the double-size twin of the image of its name.

#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

struct Input {
    QString name;
    QString path;
};

bool WriteImage(QTextStream &out, const QString &symbol, const QImage &image)
{
    out << "const quint32 " << symbol << "[] = {";
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((y * image.width() + x) % 8 == 0)
                out << "\n   ";
            out << " 0x" << QString::number(line[x], 16).rightJustified(8, u'0') << "u,";
        }
    }
    out << "\n};\n\n";
    return out.status() == QTextStream::Ok;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp NAME=FILE.png ...\n", argv[0]);
        return 2;
    }
    QList<Input> inputs;
    for (int i = 2; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = argument.indexOf(u'=');
        if (equals <= 0) {
            std::fprintf(stderr, "not NAME=FILE: %s\n", argv[i]);
            return 2;
        }
        inputs << Input{argument.left(equals), argument.mid(equals + 1)};
    }

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&file);
    out << "// Written by tallimo_iconpixels from the toolbar's images; do not edit.\n\n"
        << "#include \"app/toolbarimages.h\"\n\n"
        << "namespace tallimo {\n\nnamespace {\n\n";
    QStringList entries;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        QImage image(inputs[i].path, "PNG");
        if (image.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(inputs[i].path));
            return 1;
        }
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QString symbol = QStringLiteral("pixels%1").arg(i);
        if (!WriteImage(out, symbol, image)) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        const int scale = inputs[i].path.endsWith(QLatin1String("@2x.png")) ? 2 : 1;
        entries << QStringLiteral("    {\"%1\", %2, %3, %4, %5},\n")
                       .arg(inputs[i].name)
                       .arg(scale)
                       .arg(image.width())
                       .arg(image.height())
                       .arg(symbol);
    }
    out << "}  // namespace\n\n"
        << "const ToolbarImage ToolbarImages[] = {\n"
        << entries.join(QString()) << "};\n\n"
        << "const std::size_t ToolbarImageCount = std::size(ToolbarImages);\n\n"
        << "}  // namespace tallimo\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
