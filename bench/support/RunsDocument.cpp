#include "RunsDocument.h"

QByteArray runsDocument(qsizetype bytes, int* runs) {
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss "
                     "Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 ";
    int n = 0;
    const QByteArray words = "word processors write runs of text like these ";
    while (rtf.size() < bytes) {
        rtf += (n % 3 == 0 ? "\\b " : n % 3 == 1 ? "\\b0\\i " : "\\i0\\cf1 ") + words;
        if (n % 3 == 2) rtf += "\\cf0 ";
        if (++n % 10 == 0) rtf += "\\par\n";
    }
    *runs = n;
    return rtf + "}";
}
