#pragma once
// A card surface without a window, as the command line, the recovery check, the benchmarks
// and the fuzz target read, write and print cards: every object kind registered, and the
// home folder's clipboard and scratch files left alone when it goes (they belong to a
// window that may be open on the same home folder).
//
//     HeadlessCard card;
//     preferences.applyTo(card);
//     card.loadCard(fileName);
#include "document/TGBusinessCardPanel32.h"

class HeadlessCard : public TGBusinessCardPanel32 {
  public:
    HeadlessCard();
};
