// TStrings, the abstract list of text lines with attached objects, and
// TStringList, its stored, optionally sorted form. Text is UTF-8 in memory;
// files are read and written in code page 932 with CR LF line breaks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/object.h"
#include "classlib/sysutils.h"
#include "classlib/types.h"

namespace classlib {

class TStream;

class EStringListError : public Exception {
public:
    using Exception::Exception;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    std::string operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* object);
    void Append(const std::string& s) { Add(s); }
    void InsertObject(int index, const std::string& s, TObject* object);
    virtual void AddStrings(const TStrings* strings);
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(const std::string& s) const;
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const TObject* object) const;
    bool Equals(const TStrings* strings) const;

    // "name=value" lines.
    std::string Names(int index) const;
    std::string Values(const std::string& name) const;
    void SetValues(const std::string& name, const std::string& value);

    // Every line followed by CR LF. Setting splits at CR LF, CR or LF; a final
    // line break adds no empty line.
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    std::string CommaText() const;
    void SetCommaText(const std::string& text);

    // Holds change notifications (and a control's repainting) until the
    // outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // Code page 932 on disk. Loading raises EFOpenError for a file that cannot
    // be opened; saving raises EFCreateError and leaves an existing file as
    // it was when the new one cannot be written.
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName);
    virtual void LoadFromStream(TStream* stream);
    virtual void SaveToStream(TStream* stream);

    void Assign(const TPersistent* source) override;

protected:
    virtual void SetUpdateState(bool updating);
    int UpdateCount() const { return updateCount_; }
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    [[noreturn]] void Error(const char* message, int data) const;

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const std::string& s) const override;

    // Binary search of a sorted list; index gets the position found or the
    // place where s would go.
    bool Find(const std::string& s, int& index) const;
    virtual void Sort();
    void CustomSort(const TStringListSortCompare& compare);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void InsertItem(int index, const std::string& s, TObject* object);
    int CheckIndex(int index) const;

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

}  // namespace classlib
