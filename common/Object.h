// Object: the root of every framework class.
#pragma once

// Every framework class derives from Object and passes its class name, which error
// messages print. The name is static text that is never copied or freed. The tag is
// an opaque value for the owner's use; the framework itself never reads it.
class Object {
public:
    explicit Object(const wchar_t* className = L"Object") : className_(className) {}

    const wchar_t* GetName() const { return className_; }
    virtual void SetTag(void* tag) { tag_ = tag; }
    void* GetTag() const { return tag_; }

protected:
    // Not virtual: objects are never deleted through an Object pointer. Classes that
    // are deleted through a base pointer declare their own virtual destructor.
    ~Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;

private:
    const wchar_t* className_;
    void* tag_ = nullptr;
};
