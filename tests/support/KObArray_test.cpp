// The typed arrays: bounds errors, growing, inserting and removing, and KObArray's owned deletion.
#include "support/KObArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/KDWordArray.h"
#include "support/KStringArray.h"

namespace {

TEST(KArrayTest, IndexOutsideTheArrayThrowsInvalidArgument) {
  KDWordArray values;
  values.Add(7);
  EXPECT_THROW(values.GetAt(1), KInvalidArgException);
  EXPECT_THROW(values.SetAt(-1, 0), KInvalidArgException);
  EXPECT_THROW(values.RemoveAt(0, 2), KInvalidArgException);
  EXPECT_THROW(values.SetAtGrow(-1, 0), std::out_of_range);
  EXPECT_EQ(values[0], 7u);
}

TEST(KArrayTest, GrowInsertAndRemove) {
  KStringArray texts;
  texts.SetAtGrow(2, u"c");
  ASSERT_EQ(texts.GetSize(), 3);
  EXPECT_EQ(texts[0], u"");
  texts.InsertAt(1, u"x", 2);
  texts.InsertAt(5, u"end");
  EXPECT_EQ((std::vector<std::u16string>(texts.begin(), texts.end())),
            (std::vector<std::u16string>{u"", u"x", u"x", u"", u"c", u"end"}));
  texts.RemoveAt(1, 3);
  EXPECT_EQ((std::vector<std::u16string>(texts.begin(), texts.end())),
            (std::vector<std::u16string>{u"", u"c", u"end"}));
  texts.InsertAt(5, u"far");  // beyond the end: the gap is filled with empty elements
  EXPECT_EQ(texts.GetSize(), 6);
  EXPECT_EQ(texts[5], u"far");
}

// Counts its destructions.
class Counted : public KObject {
 public:
  explicit Counted(int& deleted) : deleted_(deleted) {}
  ~Counted() override { ++deleted_; }

 private:
  int& deleted_;
};

TEST(KObArrayTest, DeletesOnDeleteAllOrWhenOwningAndSkipsNullEntries) {
  int deleted = 0;
  Counted kept(deleted);
  {
    KObArray borrowed;
    borrowed.Add(&kept);
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
    EXPECT_FALSE(owned.OwnsElements());
    owned.SetOwnsElements(true);
    owned.Add(new Counted(deleted));
    owned.Add(new Counted(deleted));
  }
  EXPECT_EQ(deleted, 4);
}

TEST(KObArrayTest, FindReturnsTheFirstIndex) {
  int deleted = 0;
  Counted a(deleted), b(deleted);
  KTypedPtrArray<Counted> objects;
  EXPECT_EQ(objects.Find(&a), -1);
  objects.Add(&b);
  objects.Add(&a);
  objects.Add(&a);
  EXPECT_EQ(objects.Find(&a), 1);
  EXPECT_EQ(objects.Find(nullptr), -1);
}

}  // namespace
