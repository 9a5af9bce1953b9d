// Time of the content probes over a set of sample files, against the bare reads they make.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/sample_file.h"
#include "probes/signature.h"

namespace {

using tallyfold::FileHandle;

constexpr int SamplesPerKind = 100;
constexpr int Rounds = 5;
constexpr DWORD TextBytes = 4096;
constexpr DWORD MiddleBytes = 100'000;
constexpr DWORD LargeBytes = 1'000'000;
constexpr DWORD TextSample = static_cast<DWORD>(tallyfold::SampleLength);
constexpr DWORD SplitSample = static_cast<DWORD>(tallyfold::SplitSampleLength);

double Seconds() {
  LARGE_INTEGER counter, frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void WriteSample(const std::wstring& path, DWORD size, bool text) {
  std::string bytes(size, 'a');
  for (DWORD at = 0; !text && at < size; ++at) {
    bytes[at] = static_cast<char>((at * 2654435761u) >> 24);
  }
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), size, &written, nullptr);
}

// The probes of one extension row: the text test, then for binary samples the entropy and the
// leading word.
void Probe(const std::wstring& path) {
  if (tallyfold::IsBinaryFile(path)) {
    static_cast<void>(tallyfold::FileEntropy(path));
    static_cast<void>(tallyfold::ReadLeadingWord(path));
  }
}

void BareRead(const std::wstring& path, DWORD count, std::vector<std::uint8_t>& buffer,
              LONG middle = 0) {
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  DWORD read = 0;
  ::ReadFile(file.get(), buffer.data(), count, &read, nullptr);
  if (middle > 0) {
    ::SetFilePointer(file.get(), middle, nullptr, FILE_BEGIN);
    ::ReadFile(file.get(), buffer.data() + count / 2, count / 2, &read, nullptr);
  }
}

// The same opens and reads, with no look at the bytes.
void BareProbe(const std::wstring& path, DWORD size, bool text, std::vector<std::uint8_t>& buffer) {
  BareRead(path, std::min(size, TextSample), buffer);
  if (!text) {
    const bool split = size > 128128;
    BareRead(path, split ? SplitSample : std::min(size, TextSample), buffer,
             split ? static_cast<LONG>(size / 2) : 0);
    BareRead(path, 2, buffer);
  }
}

struct Sample {
  std::wstring path;
  DWORD size;
  bool text;
};

template <typename Work>
double Best(Work work) {
  double best = 1e9;
  for (int round = 0; round < Rounds; ++round) {
    const double start = Seconds();
    work();
    best = std::min(best, Seconds() - start);
  }
  return best;
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH + 1];
  std::wstring folder(temp, ::GetTempPathW(MAX_PATH + 1, temp));
  folder += L"tallyfold-probes-bench";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::vector<Sample> samples;
  for (int index = 0; index < SamplesPerKind; ++index) {
    const std::wstring stem = folder + L"\\s" + std::to_wstring(index);
    samples.push_back({stem + L".log", TextBytes, true});
    samples.push_back({stem + L".dat", MiddleBytes, false});
    samples.push_back({stem + L".bin", LargeBytes, false});
  }
  for (const Sample& s : samples) {
    WriteSample(s.path, s.size, s.text);
  }
  std::vector<std::uint8_t> buffer(SplitSample);
  const double ours = Best([&] {
    for (const Sample& s : samples) {
      Probe(s.path);
    }
  });
  const double floor = Best([&] {
    for (const Sample& s : samples) {
      BareProbe(s.path, s.size, s.text, buffer);
    }
  });
  for (const Sample& s : samples) {
    ::DeleteFileW(s.path.c_str());
  }
  ::RemoveDirectoryW(folder.c_str());
  std::printf("%d samples (4 KB text, 100 KB and 1 MB binary), best of %d rounds\n",
              static_cast<int>(samples.size()), Rounds);
  std::printf("per sample: %.1f us probed, %.1f us bare reads\n", ours * 1e6 / samples.size(),
              floor * 1e6 / samples.size());
  std::printf("probes: %.4f s vs %.4f s, ratio %.2f\n", ours, floor, ours / floor);
  return 0;
}
