#pragma once
// Text in the encodings legacy tools write, made with glibc's iconv so that
// tests do not lean on the code they test.
#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <iconv.h>

namespace cantorel::testing {

// `text` in `encoding` (an iconv name: "GBK", "CP1251", "UTF-16LE", ...); a
// character the encoding cannot hold fails the test.
inline QByteArray legacyBytes(const QString& text, const char* encoding)
{
    QByteArray in = text.toUtf8(), out(in.size() * 4 + 4, '\0');
    char *src = in.data(), *dst = out.data();
    size_t inLeft = size_t(in.size()), outLeft = size_t(out.size());
    iconv_t cd = iconv_open(encoding, "UTF-8");
    const bool opened = cd != iconv_t(-1); // NOLINT(performance-no-int-to-ptr): iconv's failure value
    EXPECT_TRUE(opened) << encoding;
    if (!opened)
        return QByteArray();
    EXPECT_NE(iconv(cd, &src, &inLeft, &dst, &outLeft), size_t(-1)) << encoding << ": " << text.toStdString();
    iconv_close(cd);
    return out.left(dst - out.data());
}

} // namespace cantorel::testing
