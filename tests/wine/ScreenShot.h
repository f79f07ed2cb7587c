// Screenshots of a window as PNG files, so that a reader of the test results sees what the dialog looks
// like. The image data is stored uncompressed (deflate's stored blocks): no compression library needed.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

namespace screenshot {

inline void PutBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// A chunk: the length of its data, then type and data, then their CRC-32.
inline void PutChunk(std::string& png, const char* type, const std::string& data) {
  PutBigEndian(png, static_cast<uint32_t>(data.size()));
  const std::string body = type + data;
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : body) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  png += body;
  PutBigEndian(png, ~crc);
}

// A zlib stream of stored blocks of at most 65535 bytes, then the Adler-32 of the raw bytes.
inline std::string Stored(const std::string& raw) {
  std::string out = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const size_t length = std::min<size_t>(65535, raw.size() - at);
    const uint16_t len = static_cast<uint16_t>(length), nlen = static_cast<uint16_t>(~len);
    out += {static_cast<char>(at + length >= raw.size() ? 1 : 0), static_cast<char>(len & 0xFF),
            static_cast<char>(len >> 8), static_cast<char>(nlen & 0xFF), static_cast<char>(nlen >> 8)};
    out.append(raw, at, length);
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

}  // namespace screenshot

// Paints the window (frame included) into a bitmap and writes it as an RGB PNG; false when it cannot.
inline bool SaveScreenShot(HWND window, const std::string& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  // What the screen shows where the window is, once everything in it is painted.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Sleep(300);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::string raw;  // each row: filter 0 (none), then red, green and blue of each pixel
  const auto* bgra = static_cast<const uint8_t*>(bits);
  for (int pixel = 0; pixel < width * height; ++pixel, bgra += 4) {
    if (pixel % width == 0) raw += '\0';
    raw += {static_cast<char>(bgra[2]), static_cast<char>(bgra[1]), static_cast<char>(bgra[0])};
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  std::string png = "\x89PNG\r\n\x1a\n", header;
  screenshot::PutBigEndian(header, static_cast<uint32_t>(width));
  screenshot::PutBigEndian(header, static_cast<uint32_t>(height));
  header += {8, 2, 0, 0, 0};  // 8 bits per channel, RGB
  screenshot::PutChunk(png, "IHDR", header);
  screenshot::PutChunk(png, "IDAT", screenshot::Stored(raw));
  screenshot::PutChunk(png, "IEND", "");
  std::ofstream file(path, std::ios::binary);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  file.close();
  return !file.fail();
}
