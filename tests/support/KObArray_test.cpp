// The typed arrays: bounds errors, growing, inserting and removing, and KObArray's owned deletion.
#include "support/KObArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/KDWordArray.h"
#include "support/KStringArray.h"

namespace {

// The last index and the whole range are inside; one more is not.
TEST(KArrayTest, IndexOutsideTheArrayThrowsInvalidArgument) {
  KDWordArray values;
  values.Add(7);
  values.Add(8);
  EXPECT_EQ(values.GetAt(1), 8u);
  EXPECT_THROW(values.GetAt(2), KInvalidArgException);
  EXPECT_THROW(values.SetAt(-1, 0), KInvalidArgException);
  EXPECT_THROW(values.RemoveAt(1, 2), KInvalidArgException);
  EXPECT_THROW(values.SetAtGrow(-1, 0), std::out_of_range);
  values.RemoveAt(0, 2);
  EXPECT_TRUE(values.IsEmpty());
}

TEST(KArrayTest, GrowInsertAndRemove) {
  using Texts = std::vector<std::u16string>;
  KStringArray texts;
  texts.SetAtGrow(2, u"c");
  ASSERT_EQ(texts.GetSize(), 3);
  texts.InsertAt(1, u"x", 2);
  texts.InsertAt(5, u"end");  // at the end
  EXPECT_EQ(Texts(texts.begin(), texts.end()), (Texts{u"", u"x", u"x", u"", u"c", u"end"}));
  texts.RemoveAt(1, 3);
  texts.InsertAt(5, u"far");  // beyond the end: the gap is filled with empty elements
  EXPECT_EQ(Texts(texts.begin(), texts.end()), (Texts{u"", u"c", u"end", u"", u"", u"far"}));
}

// Counts its destructions.
class Counted : public KObject {
 public:
  explicit Counted(int& deleted) : deleted_(deleted) {}
  ~Counted() override { ++deleted_; }

 private:
  int& deleted_;
};

TEST(KObArrayTest, DeletesOnDeleteAllOrWhenOwningSkipsNullEntriesAndFindsTheFirstIndex) {
  int deleted = 0;
  Counted kept(deleted);
  {
    KTypedPtrArray<Counted> borrowed;
    EXPECT_EQ(borrowed.Find(&kept), -1);
    borrowed.Add(nullptr);
    borrowed.Add(&kept);
    borrowed.Add(&kept);
    EXPECT_EQ(borrowed.Find(&kept), 1);
  }
  EXPECT_EQ(deleted, 0);
  KObArray objects;
  objects.Add(new Counted(deleted));
  objects.Add(nullptr);
  objects.Add(new Counted(deleted));
  objects.DeleteAll();
  EXPECT_EQ(deleted, 2);
  EXPECT_TRUE(objects.IsEmpty());
  {
    KTypedPtrArray<Counted> owned;
    owned.SetOwnsElements(true);
    owned.Add(new Counted(deleted));
    owned.Add(new Counted(deleted));
  }
  EXPECT_EQ(deleted, 4);
}

}  // namespace
