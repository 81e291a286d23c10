#pragma once
// About `bytes` of RTF in format runs that toggle bold, italic and colour, one paragraph in
// ten runs, as a pasted word-processor document holds them; `runs` receives their number.
#include <QByteArray>

QByteArray runsDocument(qsizetype bytes, int* runs);
