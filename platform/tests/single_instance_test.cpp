#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vl {
namespace {

std::u16string unique_name() {
    const std::string digits = std::to_string(std::random_device{}());
    return u"VelnorTest_" + std::u16string(digits.begin(), digits.end()) + u"_Instance";
}

TEST(SingleInstance, OneHolderAtATimeAndFreeAgainWhenGivenUp) {
    const std::u16string name = unique_name();
    std::optional<SingleInstance> first = SingleInstance::create(name);
    ASSERT_TRUE(first);
    EXPECT_FALSE(SingleInstance::create(name));
    EXPECT_TRUE(SingleInstance::create(unique_name()));  // another name is free
    first.reset();
    EXPECT_TRUE(SingleInstance::create(name));
}

#if !defined(_WIN32)
TEST(SingleInstance, TakenByAnotherProcessAndFreedWhenItDies) {
    const std::u16string name = unique_name();
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::optional<SingleInstance> held = SingleInstance::create(name);
        char byte = held ? 1 : 0;
        if (write(ready[1], &byte, 1) != 1) _exit(2);
        if (read(release[0], &byte, 1) < 0) _exit(2);
        _exit(0);  // dies holding it
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 1);
    EXPECT_FALSE(SingleInstance::create(name));
    char go = 1;
    ASSERT_EQ(write(release[1], &go, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(SingleInstance::create(name));
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}
#endif

}  // namespace
}  // namespace vl
