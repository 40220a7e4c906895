// The DOS dump program, run on a small model of the 8086 that knows the few instructions such
// a program needs and the two DOS services it calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sysinfo/bios_image.h"

namespace {

struct DosRun {
    std::string output;  // what reached standard output
    std::vector<uint16_t> writeCounts;
    std::optional<uint8_t> exitCode;  // nullopt: never ended
    std::string fault;                // an instruction the model does not know
};

// `failWrite` numbers the write (1, 2, ...) that DOS refuses, with `error` in AX.
DosRun RunUnderDos(std::span<const std::byte> program, int failWrite = 0, uint16_t error = 0) {
    DosRun run;
    uint16_t reg[8] = {};  // AX CX DX BX SP BP SI DI, as the encodings number them
    uint16_t ds = 0x1234;
    bool carry = false;
    size_t ip = 0;
    const auto byteAt = [&](size_t i) -> int {
        return i < program.size() ? static_cast<int>(program[i]) : -1;
    };
    // Physical memory: the BIOS area holds a pattern, everything else 0.
    const auto memory = [](uint32_t address) -> char {
        return address >= 0xF0000 && address <= 0xFFFFF ? static_cast<char>(address * 7 + 3) : 0;
    };
    for (int steps = 0; steps < 1000; ++steps) {
        const int op = byteAt(ip);
        if (op >= 0xB8 && op <= 0xBF) {  // mov r16, imm16
            reg[op - 0xB8] = static_cast<uint16_t>(byteAt(ip + 1) | byteAt(ip + 2) << 8);
            ip += 3;
        } else if (op >= 0xB0 && op <= 0xB7) {  // mov r8, imm8: AL CL DL BL AH CH DH BH
            const int r = op - 0xB0;
            uint16_t& w = reg[r & 3];
            w = r < 4 ? static_cast<uint16_t>((w & 0xFF00) | byteAt(ip + 1))
                      : static_cast<uint16_t>((w & 0x00FF) | byteAt(ip + 1) << 8);
            ip += 2;
        } else if (op == 0x8E && byteAt(ip + 1) == 0xD8) {  // mov ds, ax
            ds = reg[0];
            ip += 2;
        } else if (op == 0x72) {  // jc rel8
            const auto rel = static_cast<int8_t>(byteAt(ip + 1));
            ip += 2;
            if (carry) ip += rel;
        } else if (op == 0xCD && byteAt(ip + 1) == 0x21) {
            ip += 2;
            const int ah = reg[0] >> 8;
            if (ah == 0x4C) {
                run.exitCode = static_cast<uint8_t>(reg[0]);
                return run;
            }
            if (ah != 0x40 || reg[3] != 1) {
                run.fault = "unexpected DOS call " + std::to_string(ah);
                return run;
            }
            run.writeCounts.push_back(reg[1]);
            if (static_cast<int>(run.writeCounts.size()) == failWrite) {
                carry = true;
                reg[0] = error;
                continue;
            }
            const uint32_t start = (static_cast<uint32_t>(ds) << 4) + reg[2];
            for (uint32_t i = 0; i < reg[1]; ++i)
                run.output += memory(start + i);
            carry = false;
            reg[0] = reg[1];
        } else {
            run.fault = "unknown instruction at " + std::to_string(ip);
            return run;
        }
    }
    return run;
}

std::string BiosArea() {
    std::string area;
    for (uint32_t a = 0xF0000; a <= 0xFFFFF; ++a)
        area += static_cast<char>(a * 7 + 3);
    return area;
}

TEST(BiosDumpProgram, WritesTheWholeAreaInTwoWritesAndEndsWithZero) {
    const auto program = sysinfo::BiosDumpProgram();
    EXPECT_EQ(46u, program.size());
    const DosRun run = RunUnderDos(program);
    ASSERT_EQ("", run.fault);
    EXPECT_EQ((std::vector<uint16_t>{0xFFFF, 1}), run.writeCounts);
    EXPECT_EQ(65536u, run.output.size());
    EXPECT_TRUE(run.output == BiosArea()) << "the bytes of F0000h..FFFFFh in order";
    EXPECT_EQ(std::optional<uint8_t>(0), run.exitCode);
}

TEST(BiosDumpProgram, AFailedWriteEndsWithTheDosErrorCode) {
    const DosRun first = RunUnderDos(sysinfo::BiosDumpProgram(), 1, 6);
    ASSERT_EQ("", first.fault);
    EXPECT_EQ(1u, first.writeCounts.size()) << "no second write after an error";
    EXPECT_EQ(std::optional<uint8_t>(6), first.exitCode);

    const DosRun second = RunUnderDos(sysinfo::BiosDumpProgram(), 2, 5);
    ASSERT_EQ("", second.fault);
    EXPECT_EQ(2u, second.writeCounts.size());
    EXPECT_EQ(65535u, second.output.size());
    EXPECT_EQ(std::optional<uint8_t>(5), second.exitCode);
}

}  // namespace
