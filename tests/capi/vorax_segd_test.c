/* Calls libvorax_segd from C, as its users do, and checks results worked out by hand from
 * the bytes. Exit status 0 when every check holds. */
#include "vorax_segd.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

static int failures = 0;

#define CHECK(condition)                                                            \
  do {                                                                              \
    if (!(condition)) {                                                             \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                                   \
    }                                                                               \
  } while (0)

/* Whether a blank-padded field holds exactly `text` followed by blanks. */
static int field_is(const char* field, size_t width, const char* text) {
  size_t n = strlen(text);
  size_t i;
  if (n > width || memcmp(field, text, n) != 0) return 0;
  for (i = n; i < width; ++i)
    if (field[i] != ' ') return 0;
  return 1;
}

#define FIELD_IS(field, text) field_is((field), sizeof(field), (text))

static void sn388_block1(void) {
  uint8_t block[32] = {0};
  Sn388Block1Fields f;
  memset(&f, ' ', sizeof f);
  block[15] = 0x13; /* byte 16: unit type 0x10, channel type 3 */
  block[18] = 0x05; /* byte 19: bits 2 and 0 */
  CHECK(SEGDDECODE388TRACEHEADEREXTBLOCK1(block, sizeof block, &f) == 0);
  CHECK(FIELD_IS(f.unit_type_text, "SAR4 or SAR6"));
  CHECK(FIELD_IS(f.channel_type_text, "Uphole"));
  CHECK(FIELD_IS(f.status_flags[0], "No"));  /* bit 7 */
  CHECK(FIELD_IS(f.status_flags[5], "Yes")); /* bit 2 */
  CHECK(FIELD_IS(f.status_flags[7], "Yes")); /* bit 0 */
  CHECK(FIELD_IS(f.bytes_27_to_30, "1"));    /* IEEE zero reads "1" */
  CHECK(SEGDDECODE388TRACEHEADEREXTBLOCK1(block, sizeof block, NULL) == -1);
}

static void general_header_from_a_short_buffer(void) {
  /* File 0100, format 8058; everything past byte 4 reads as zero: manufacturer 0 is unknown
   * (a warning), then sample interval code 00 is fatal. */
  const uint8_t bytes[4] = {0x01, 0x00, 0x80, 0x58};
  Gh1Fields f;
  memset(&f, ' ', sizeof f);
  CHECK(SEGDDECODEGH1(bytes, sizeof bytes, &f) == -3);
  CHECK(FIELD_IS(f.format_text, "32 Bit IEEE DeMUX"));
  CHECK(FIELD_IS(f.message,
                 "Invalid Sample Rate Code - the code to indicate sample rate is not correct"));
}

static void seg2(void) {
  const uint8_t not_seg2[4] = {0x53, 0x45, 0x47, 0x44};
  const uint8_t pc_header[10] = {0x55, 0x3A, 0x01, 0x00, 0x10, 0x02, 0x3C, 0x00, 0x01, 0x00};
  const char area[] = "xxRECEIVER_LOCATION 100.0 200.5 12.0";
  Seg2FileHeaderFields h;
  Seg2TraceDescriptorFields t;
  memset(&h, ' ', sizeof h);
  CHECK(DECODESEG2FILEHEADER(not_seg2, sizeof not_seg2, &h) == -1);
  CHECK(FIELD_IS(h.message, "Not a SEG 2 File"));
  CHECK(DECODESEG2FILEHEADER(pc_header, sizeof pc_header, &h) == 0);
  CHECK(FIELD_IS(h.trace_pointer_block_size, "528"));
  CHECK(FIELD_IS(h.trace_count, "60"));
  CHECK(FIELD_IS(h.machine, "PC"));

  memset(&t, ' ', sizeof t);
  CHECK(DECODESEG2TRACEDESCRIPTOR((const uint8_t*)area, strlen(area), "", 1, &t) == 0);
  CHECK(FIELD_IS(t.receiver_location_x, "100.0"));
  CHECK(FIELD_IS(t.receiver_location_y, "200.5"));
  CHECK(FIELD_IS(t.receiver_location_z, "12.0"));
  CHECK(FIELD_IS(t.receiver, ""));
}

static void quick_readers(void) {
  uint8_t header[1632] = {0};
  uint8_t vqc[2656] = {0};
  QuickFileHeader q;
  Vqc88FileHeader v;
  header[0] = 0x01;
  header[2] = 0x80;
  header[3] = 0x36; /* format 8036 */
  memset(&q, 0, sizeof q);
  memset(q.date, 'Z', sizeof q.date);
  q.samples_per_trace = 77;
  CHECK(quick408fhl(header, sizeof header, &q) == -1);
  CHECK(q.file_number == 100);
  CHECK(FIELD_IS(q.message, "Invalid Format Code - Should be 8058"));
  CHECK(memcmp(q.date, "ZZZZZZZZZZ", 10) == 0);
  CHECK(q.samples_per_trace == 77);

  vqc[2] = 0x87;
  vqc[3] = 0x65;
  memcpy(vqc + 1632 + 3, "ABCDEFGHIJKLMNOPQ", 17); /* entry 0 name, no zero byte */
  memset(&v, ' ', sizeof v);
  CHECK(vqc88decodefileheader(vqc, sizeof vqc, &v) == 0);
  CHECK(memcmp(v.table[0].name, "ABCDEFGHIJKLMNOPQ", 17) == 0);
}

static void converters(void) {
  /* 2.0 and -4.0 as big-endian IEEE singles. */
  const uint8_t raw[8] = {0x40, 0x00, 0x00, 0x00, 0xC0, 0x80, 0x00, 0x00};
  float out[3] = {9, 9, 9};
  float scale = 1;
  CHECK(ARRAYBIGSINGLETOLITTLENORM(raw, sizeof raw, 2, out, 3, &scale) == 0);
  CHECK(out[0] == 0.5f && out[1] == -1.0f && out[2] == 9.0f);
  CHECK(scale == 1.0f);
  scale = 3;
  CHECK(ARRAYBIGSINGLETOLITTLENOTNORM(raw, sizeof raw, 2, out, 3, &scale) == 0);
  CHECK(out[0] == 2.0f && out[1] == -4.0f && scale == 4.0f);
  CHECK(ARRAYBIGSINGLETOLITTLENORM(raw, sizeof raw, 2, out, 3, NULL) == -1);
}

static void texts(void) {
  const uint8_t bytes[2] = {0x25, 0xAF};
  const uint8_t one_zero[2] = {0x01, 0x00};
  char out[32];
  char small[3];
  char padded[16] = "  ab ";
  CHECK(hexdigits(bytes, 2, out, sizeof out) == 4 && strcmp(out, "25AF") == 0);
  CHECK(hexdigits(bytes, 2, small, sizeof small) == 4 && strcmp(small, "25") == 0);
  CHECK(hexdigits(bytes, 2, NULL, 0) == 4);
  CHECK(hexvalue(one_zero, 2, out, sizeof out) == 3 && strcmp(out, "256") == 0);
  CHECK(bcd2string(bytes + 1, 1, out, sizeof out) == 4 && strcmp(out, "1015") == 0);
  CHECK(datefromjulian(5, 60, out, sizeof out) == 10 && strcmp(out, "2005-03-01") == 0);
  CHECK(getmonth(13, out, sizeof out) == 3 && strcmp(out, "bad") == 0);
  CHECK(bintonumber(one_zero, 2) == 256);
  CHECK(PADOUT(padded, sizeof padded, 4) == 4 && strcmp(padded, "ab  ") == 0);
}

static void utilities(const char* self) {
  CHECK(CHOOSESTEP(0.0f, 1000.0f) == 100.0f);
  CHECK(CHOOSESTEP(0.0f, 3000.0f) == 400.0f);
  CHECK(HLSTORGB(0.0f, 120.0f, 240.0f) == 0x000000FFu);
  CHECK(ATAN2(0.0f, -1.0f) == 0.0f);
  CHECK(fabsf(ATAN2(1.0f, 0.0f) - 1.5707963f) < 1e-6f);
  CHECK(FILELEN(self) > 0);
  CHECK(FILELEN("/nonexistent/vorax") == -1);
}

/* The big-endian IEEE single at byte `offset` (0-based) of the file. */
static int file_single(FILE* file, long offset, float* value) {
  uint8_t b[4];
  uint32_t bits;
  if (fseek(file, offset, SEEK_SET) != 0 || fread(b, 1, 4, file) != 4) return 0;
  bits = ((uint32_t)b[0] << 24) | ((uint32_t)b[1] << 16) | ((uint32_t)b[2] << 8) | b[3];
  memcpy(value, &bits, sizeof *value);
  return 1;
}

/* The Sercel record of the shared real files: 86 traces of 2001 samples at 1000 us, the first
 * trace header at byte offset 5728, each trace 20 + 7 x 32 header bytes then 2001 IEEE singles.
 * Trace 3 (the first seismic one) read through the library against its bytes read here. */
static void real_record(void) {
  const char* path = VORAX_REALDATA_DIR "/SeisUnix_sercel.segd";
  char message[200];
  float samples[2001];
  FILE* file = fopen(path, "rb");
  VoraxRecord* record;
  int i;
  int nonzero = 0;
  if (file == NULL) {
    printf("real record absent: its checks skipped\n");
    return;
  }
  record = vorax_open(path, message, sizeof message);
  CHECK(record != NULL);
  if (record == NULL) {
    fprintf(stderr, "%s\n", message);
    fclose(file);
    return;
  }
  CHECK(vorax_trace_count(record) == 86);
  CHECK(vorax_sample_count(record) == 2001);
  CHECK(vorax_sample_interval_us(record) == 1000.0);
  CHECK(vorax_read_trace(record, 3, samples, 2001) == 0);
  for (i = 0; i < 2001; ++i) {
    float recorded = 0;
    CHECK(file_single(file, 5728L + 2L * 8248L + 244L + 4L * i, &recorded));
    /* Held normalised to a peak of 1 and multiplied back: within one unit in the last place. */
    CHECK(fabsf(samples[i] - recorded) <= fabsf(recorded) * 2.4e-7f);
    nonzero += recorded != 0;
  }
  CHECK(nonzero > 1000);
  CHECK(vorax_read_trace(record, 2, samples, 1) == 0 && isnan(samples[0])); /* aux 2: NaN */
  CHECK(vorax_read_trace(record, 0, samples, 2001) == -1);
  CHECK(vorax_read_trace(record, 87, samples, 2001) == -1);
  CHECK(vorax_read_trace(record, 3, NULL, 1) == -1);
  vorax_close(record);
  fclose(file);

  CHECK(vorax_open(VORAX_REALDATA_DIR "/no such file.segd", message, sizeof message) == NULL);
  CHECK(strstr(message, "no such file.segd") != NULL);
  CHECK(vorax_trace_count(NULL) == 0);
  vorax_close(NULL);
}

int main(int argc, char** argv) {
  (void)argc;
  sn388_block1();
  general_header_from_a_short_buffer();
  seg2();
  quick_readers();
  converters();
  texts();
  utilities(argv[0]);
  real_record();
  CHECK(strcmp(vorax_version(), VORAX_VERSION) == 0);
  if (failures == 0) printf("vorax_segd C test: all checks passed\n");
  return failures == 0 ? 0 : 1;
}
