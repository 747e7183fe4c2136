#include <gtest/gtest.h>

#include "objc/message.h"

namespace {

class Animal : public NSObject {
    OBJC_INTERFACE(Animal, NSObject)

public:
    Animal() = default;
    virtual int legs() const { return 4; }
    static int deaths;
    ~Animal() override { ++deaths; }
};
int Animal::deaths = 0;

class Bird : public Animal {
    OBJC_INTERFACE(Bird, Animal)

public:
    Bird() = default;
    int legs() const override { return 2; }
};

class Abstract : public NSObject {
    OBJC_INTERFACE(Abstract, NSObject)

public:
    virtual void f() = 0;
};

}  // namespace

OBJC_IMPLEMENTATION(Animal,
                    objc::method("legs", [](id self, SEL) -> int { return static_cast<Animal*>(self)->legs(); }),
                    objc::method("speak:", [](id, SEL, int times) -> int { return times * 10; }),
                    objc::classMethod("kind", [](id self, SEL) -> id { return self; }))
OBJC_IMPLEMENTATION(Bird)
OBJC_IMPLEMENTATION(Abstract)

TEST(Runtime, ClassesAreFoundByNameOnceLoadedAndNilOtherwise) {
    EXPECT_EQ(objc_getClass("Bird"), Bird::class_());
    EXPECT_EQ(class_getSuperclass(objc_getClass("Bird")), Animal::class_());
    EXPECT_EQ(class_getSuperclass(objc_getClass("Animal")), NSObject::class_());
    EXPECT_EQ(objc_getClass("NoSuchClass"), nullptr);
    EXPECT_STREQ(class_getName(nullptr), "nil");
}

TEST(Runtime, SelectorsAreInterned) {
    EXPECT_EQ(sel_registerName("legs"), sel_registerName(std::string("le") + "gs"));
    EXPECT_NE(sel_registerName("legs"), sel_registerName("legs:"));
    EXPECT_STREQ(sel_getName(SELECTOR("speak:")), "speak:");
}

TEST(Runtime, CreatesInstancesByNameOnlyForConcreteClasses) {
    Ref<NSObject> bird = objc_getClass("Bird")->createInstance();
    ASSERT_TRUE(bird);
    EXPECT_STREQ(bird->className(), "Bird");
    EXPECT_TRUE(bird->isKindOfClass(Animal::class_()));
    EXPECT_FALSE(bird->isKindOfClass(nullptr));
    EXPECT_EQ(Abstract::class_()->createInstance(), nullptr);
}

TEST(Runtime, RefCountsAndFreesExactlyOnce) {
    Animal::deaths = 0;
    {
        Ref<Animal> a = make<Animal>();
        Ref<Animal> b = a;
        EXPECT_EQ(a->retainCount(), 2u);
        Ref<NSObject> up = std::move(b);
        EXPECT_EQ(a->retainCount(), 2u);
        EXPECT_EQ(b, nullptr);
    }
    EXPECT_EQ(Animal::deaths, 1);
}

TEST(Messages, DispatchAlongTheSuperclassChainToVirtualOverrides) {
    auto bird = make<Bird>();
    EXPECT_EQ((objc_msgSend<int()>(bird, SELECTOR("legs"))), 2);
    EXPECT_EQ((objc_msgSend<int(int)>(bird, SELECTOR("speak:"), 3)), 30);
    EXPECT_TRUE(bird->respondsToSelector(SELECTOR("speak:")));
    EXPECT_FALSE(bird->respondsToSelector(SELECTOR("fly")));
}

TEST(Messages, MessagesToNilReturnZero) {
    EXPECT_EQ((objc_msgSend<int()>(nullptr, SELECTOR("legs"))), 0);
    EXPECT_EQ((objc_msgSend<id()>(nullptr, SELECTOR("anything"))), nullptr);
}

TEST(Messages, WrongSignatureIsRefusedWithAClearError) {
    auto bird = make<Bird>();
    try {
        objc_msgSend<int(double)>(bird, SELECTOR("speak:"), 2.0);
        FAIL() << "a mismatched signature must not be called";
    } catch (const objc::MessageError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("-[Bird speak:]"), std::string::npos) << what;
        EXPECT_NE(what.find("double"), std::string::npos) << what;
    }
    EXPECT_THROW(objc_msgSend<void()>(bird, SELECTOR("legs")), objc::MessageError);
}

TEST(Messages, UnknownSelectorIsRefused) {
    auto bird = make<Bird>();
    EXPECT_THROW(objc_msgSend<void()>(bird, SELECTOR("fly")), objc::MessageError);
}

TEST(Messages, MethodTableChangesInvalidateCachedLookups) {
    auto bird = make<Bird>();
    SEL legs = SELECTOR("legs");
    ASSERT_EQ((objc_msgSend<int()>(bird, legs)), 2);  // cached now: Animal's method
    ASSERT_TRUE(Bird::class_()->addMethod(legs, reinterpret_cast<IMP>(+[](id, SEL) -> int { return 7; }),
                                          typeid(int (*)(id, SEL))));
    EXPECT_EQ((objc_msgSend<int()>(bird, legs)), 7);
    EXPECT_FALSE(Bird::class_()->addMethod(legs, nullptr, typeid(int (*)(id, SEL))));
    IMP old = Bird::class_()->setImplementation(legs, reinterpret_cast<IMP>(+[](id, SEL) -> int { return 9; }));
    EXPECT_NE(old, nullptr);
    EXPECT_EQ((objc_msgSend<int()>(bird, legs)), 9);
    EXPECT_EQ((objc_msgSendSuper<int()>(Animal::class_(), bird, legs)), 2);
}

TEST(AutoreleasePool, KeepsObjectsAliveUntilPopped) {
    Animal::deaths = 0;
    void* outer = objc_autoreleasePoolPush();
    Animal* kept = objc::autorelease(make<Animal>());
    void* inner = objc_autoreleasePoolPush();
    objc::autorelease(make<Animal>());
    objc_autoreleasePoolPop(inner);
    EXPECT_EQ(Animal::deaths, 1);
    EXPECT_EQ(kept->legs(), 4);
    objc_autoreleasePoolPop(outer);
    EXPECT_EQ(Animal::deaths, 2);
}

// A class method is inherited along the metaclasses and answers with the receiving class; an
// instance does not answer it, nor a class an instance method.
TEST(Messages, ClassMethodsGoToClassObjectsAndAreInheritedByThem) {
    id birdClass = objc_classAsObject(Bird::class_());
    EXPECT_EQ(objc_objectAsClass(objc_msgSend<id()>(birdClass, SELECTOR("kind"))), Bird::class_());
    EXPECT_EQ(object_getClass(birdClass), Bird::class_()->metaclass());
    EXPECT_EQ(Bird::class_()->metaclass()->superclass(), Animal::class_()->metaclass());
    auto bird = make<Bird>();
    EXPECT_THROW(objc_msgSend<id()>(bird, SELECTOR("kind")), objc::MessageError);
    try {
        objc_msgSend<int()>(birdClass, SELECTOR("legs"));
        ADD_FAILURE() << "a class answered an instance method";
    } catch (const objc::MessageError& e) {
        EXPECT_STREQ(e.what(), "+[Bird legs]: unrecognized selector sent to class");
    }
}

// What another library adds to a class reaches its instances and subclasses; a method the class
// has already is kept.
TEST(Messages, CategoriesAddMethodsButReplaceNone) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(objc::addMethods(Animal::class_(), {objc::method("wings", [](id, SEL) -> int { return 2; }),
                                                      objc::method("legs", [](id, SEL) -> int { return 0; })}));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("-[Animal legs] is defined already"), std::string::npos);
    auto bird = make<Bird>();
    EXPECT_EQ(objc_msgSend<int()>(bird, SELECTOR("wings")), 2);
    EXPECT_EQ(objc_msgSend<int()>(bird, SELECTOR("legs")), 2);
}
