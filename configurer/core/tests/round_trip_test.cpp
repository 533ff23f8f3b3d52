// Random models of the lists and the dictionary, hostile characters included:
// applying and starting again gives back the same model (what the files cannot
// hold is refused by the dialogs' checks when it is entered).
#include <gtest/gtest.h>

#include <random>

#include "configurer/core/tests/model_round_trip.h"
#include "store/tests/temp_folder.h"

namespace vl {
namespace {

class ModelRoundTrip : public test::TempFolderTest {};

TEST_F(ModelRoundTrip, EveryListComesBackAsItWasApplied) {
    std::mt19937 random(16);
    for (int round = 0; round < 150; ++round) {
        std::string input(random() % 400, '\0');
        for (char& byte : input) byte = static_cast<char>(random());
        ASSERT_EQ(test::model_round_trip(input, folder), "") << "round " << round;
    }
}

}  // namespace
}  // namespace vl
