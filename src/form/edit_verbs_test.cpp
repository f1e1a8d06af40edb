// The editing verbs on the editor's state alone, in code page 932:
// whole characters removed and passed over, and the cells of Up and Down.
#include "form/edit_verbs.h"

#include <gtest/gtest.h>

#include <string>

namespace qb {
namespace {

// Cells from the text's start on rows of 80: "a" at 0, forty 表 at 1-2 ... 77-78 and, past
// the blank cell 79, at 80-81; "bc" at 82-83; 76 "x" at 84-159.
TEST(EditVerbs, TakeWholeCharactersAndTheCellsAPairCovers) {
  std::string text = "a";
  for (int i = 0; i < 40; ++i) text += "\x95\x5C";
  text += "bc" + std::string(76, 'x');
  const struct {
    long start;
    std::size_t pos;
    void (*verb)(LineEdit&);
    std::size_t pos_after;
    std::size_t size_after;
  } cases[] = {
      {0, 1, edit_down, 79, 159},        // onto a pair's second cell: the pair
      {0, 81, edit_up, 1, 159},          // the same, above
      {0, 158, edit_up, 79, 159},        // onto the blank: the pair after it
      {0, 81, edit_left, 79, 159},       // past the blank
      {0, 79, edit_right, 81, 159},      // past both bytes
      {0, 79, edit_backspace, 77, 157},  // the pair before, whole
      {0, 79, edit_delete, 79, 157},     // the pair at the cursor, whole
      {0, 3, edit_tab, 8, 164},          // counts bytes, a pair two
      {-80, 158, edit_up, 158, 159},     // the first row went off the top
      {-80, 158, edit_home, 79, 159},    // to the first reachable pair
  };
  for (const auto& c : cases) {
    LineEdit st{.page = &code_page_numbered(932), .text = text, .pos = c.pos, .start = c.start};
    c.verb(st);
    EXPECT_EQ(st.pos, c.pos_after) << c.start << " " << c.pos;
    EXPECT_EQ(st.text.size(), c.size_after) << c.start << " " << c.pos;
  }
}

}  // namespace
}  // namespace qb
