/*
 * vorax_segd: the header decoders, sample converters and utilities of VORAX Viewer as a C
 * library (libvorax_segd), exported under their own names with C linkage.
 *
 * Conventions
 * - Every function that reads bytes takes the buffer WITH its length. Bytes past the length
 *   read as zero, the way a short file reads: nothing is ever read past `buffer + length`.
 *   A NULL buffer counts as an empty one.
 * - A decoded header record is a struct of fixed-width text fields: char arrays padded on the
 *   right with blanks and NOT terminated by a zero byte (print them with "%.*s" and the array
 *   size). The quick readers' records mix such texts with plain numbers.
 * - A decoder fills its record and returns a status: 0 good, positive a warning, negative
 *   fatal; the record's message field then says why. Fields a decoder does not reach (after
 *   an early fatal return, or keywords a descriptor does not hold) keep what they held, so
 *   clear a record before its first use, for example with memset(&record, ' ', sizeof record)
 *   for a text record. A NULL record pointer returns -1 and writes nothing.
 * - Byte positions in the comments are 1-based within the block, as the header layouts
 *   number them. Texts returned through `out`/`capacity` are zero-terminated (cut to
 *   capacity - 1 characters); the function returns the full length of the text, so a call
 *   with capacity 0 asks for the size.
 */
#ifndef VORAX_SEGD_H
#define VORAX_SEGD_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(VORAX_SEGD_BUILDING)
#define VORAX_SEGD_API __declspec(dllexport)
#else
#define VORAX_SEGD_API __declspec(dllimport)
#endif
#else
#define VORAX_SEGD_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Records ---------------------------------------------------------------------------
 * Field for field, the records of the decoders below; each array is its field's width. */

typedef struct Gh1Fields {
  char file_number[4];
  char format_code[4];
  char general_constants[12];
  char year[2];
  char additional_blocks[1];
  char julian_day[3];
  char hour[2];
  char minute[2];
  char second[2];
  char manufacturer_code[2];
  char manufacturer_serial[4];
  char bytes_per_scan[6];
  char base_scan_interval_code[2];
  char polarity[1];
  char scans_per_block[3];
  char record_type_code[1];
  char record_length[3];
  char scan_types_per_record[2];
  char channel_sets_per_scan_type[2];
  char skew_blocks[2];
  char extended_header_blocks[2];
  char external_header_blocks[2];
  char format_text[20];
  char manufacturer_text[20];
  char date_text[10];
  char time_text[8];
  char instrument_model[30];
  char sample_interval_ms[4];
  char record_type_text[10];
  char record_length_text[20];
  char extended_header_length[12];
  char external_header_length[12];
  char message[80];
} Gh1Fields;

typedef struct Gh2Fields {
  char expanded_file_number[6];
  char extended_channel_sets[4];
  char extended_header_blocks[4];
  char external_header_blocks[4];
  char byte_10[2];
  char segd_revision[4];
  char general_trailer_blocks[4];
  char extended_record_length[6];
  char byte_18[2];
  char general_header_block_number[2];
  char bytes_20_to_32[26];
  char expanded_file_number_value[10];
  char revision_text[6];
  char extended_record_length_value[6];
  char message[80];
} Gh2Fields;

typedef struct Gh3Fields {
  char expanded_file_number[6];
  char source_line_digits[10];
  char source_point_digits[10];
  char source_point_index_digits[2];
  char phase_control[2];
  char vibrator_type[2];
  char phase_angle[4];
  char general_header_block_number[2];
  char source_set_number[2];
  char bytes_21_to_32[24];
  char source_line[10];
  char source_point[10];
  char source_point_index[3];
  char message[80];
} Gh3Fields;

typedef struct ChannelSetFields {
  char scan_type_number[2];
  char channel_set_number[2];
  char start_time[5];
  char end_time[5];
  char descale_multiplier[4];
  char channel_count[4];
  char channel_type[1];
  char channel_type_second_digit[1];
  char subscans[1];
  char channel_gain_control[1];
  char alias_filter_frequency[4];
  char alias_filter_slope[4];
  char low_cut_filter[4];
  char low_cut_slope[4];
  char first_notch[4];
  char second_notch[4];
  char third_notch[4];
  char extended_channel_set_number[4];
  char extended_header_flag[1];
  char trace_header_extensions[1];
  char vertical_stack[2];
  char streamer_cable_number[2];
  char array_forming[2];
  char message[80];
} ChannelSetFields;

typedef struct ExternalHeaderFields {
  char hex_digits[2048];
  char text[1024];
  char message[80];
} ExternalHeaderFields;

typedef struct DemuxTraceHeaderFields {
  char file_number[4];
  char scan_type_number[2];
  char channel_set_number[2];
  char trace_number[4];
  char first_timing_word[4];
  char trace_header_extensions[2];
  char sample_skew[2];
  char trace_edit_code[2];
  char time_break_window[6];
  char extended_channel_set_number[4];
  char extended_file_number[6];
  char trace_edit_text[40];
  char effective_file_number[6];
  char message[80];
} DemuxTraceHeaderFields;

typedef struct VoraxGh3Fields {
  char expanded_file_number[6];
  char source_line_digits[10];
  char source_point_digits[10];
  char source_point_index_digits[2];
  char phase_control[2];
  char vibrator_type[2];
  char phase_angle[4];
  char general_header_block_number[2];
  char source_set_number[2];
  char source_x[10];
  char source_y[10];
  char source_z[10];
  char source_line[10];
  char source_point[10];
  char source_point_index[3];
  char message[80];
} VoraxGh3Fields;

typedef struct VoraxExtendedFields {
  char tape_number[5];
  char trace_count[5];
  char samples_per_trace[8];
  char time_break_digit[1];
  char data_retry_digit[1];
  char correlation_digit[1];
  char record_kind_digit[1];
  char filter_phase_digit[1];
  char byte_10_second_digit[1];
  char bytes_11_to_16[8];
  char bytes_17_to_20[8];
  char aux_channel_codes[14][1];
  char noise_edit_digits[6];
  char byte_31[2];
  char byte_32[2];
  char source_type_digit[1];
  char byte_33_second_digit[1];
  char byte_34[2];
  char value_a[6];
  char value_b[6];
  char uphole_time[6];
  char value_d[8];
  char bytes_44_to_45[4];
  char bytes_46_to_47[4];
  char value_e[4];
  char value_f[4];
  char array_filter_digit[1];
  char bytes_54_to_64[24];
  char time_break_kind[3];
  char data_retry[16];
  char correlation[16];
  char record_kind[16];
  char filter_phase[16];
  char aux_channel_texts[14][16];
  char noise_edit[16];
  char source_type[16];
  char value_a_tenths[16];
  char value_b_tenths[16];
  char uphole_time_tenths[16];
  char value_d_tenths[16];
  char value_e_tenths[164];
  char value_f_tenths[16];
  char array_filter[16];
  char message[80];
} VoraxExtendedFields;

typedef struct VoraxTraceExt1Fields {
  char receiver_line[6];
  char receiver_point[6];
  char receiver_point_index[2];
  char samples_per_trace[6];
  char byte_11[2];
  char byte_12[2];
  char receiver_x[10];
  char receiver_y[10];
  char byte_21[2];
  char unit_identifier[8];
  char byte_26_first_digit[1];
  char byte_26_second_digit[1];
  char bytes_27_to_28[4];
  char bytes_29_to_30[4];
  char byte_31[4];
  char byte_31_again[2];
  char message[80];
} VoraxTraceExt1Fields;

typedef struct Ext408Block1Fields {
  char receiver_line_number[6];
  char receiver_point_number[6];
  char receiver_point_index[2];
  char samples_per_trace[6];
  char extended_receiver_line_number[10];
  char extended_receiver_point_number[10];
  char sensor_type_code[2];
  char bytes_22_32[22];
  char sensor_type_text[40];
  char message[80];
} Ext408Block1Fields;

typedef struct Ext408Block2Fields {
  char receiver_easting[10];
  char receiver_northing[10];
  char receiver_elevation[6];
  char byte_21[2];
  char bytes_22_32[22];
  char message[80];
} Ext408Block2Fields;

typedef struct Ext408Block3Fields {
  char resistance_low_limit[6];
  char resistance_high_limit[6];
  char resistance_value[6];
  char tilt_limit[6];
  char tilt_value[6];
  char resistance_error[2];
  char tilt_error[2];
  char bytes_23_32[22];
  char resistance_error_text[3];
  char tilt_error_text[3];
  char message[80];
} Ext408Block3Fields;

typedef struct Ext408Block4Fields {
  char capacitance_low_limit[6];
  char capacitance_high_limit[6];
  char capacitance_value[6];
  char cut_off_low_limit[6];
  char cut_off_high_limit[6];
  char cut_off_value[6];
  char capacitance_error[2];
  char cut_off_error[2];
  char bytes_27_32[12];
  char capacitance_error_text[3];
  char cut_off_error_text[3];
  char message[80];
} Ext408Block4Fields;

typedef struct Ext408Block5Fields {
  char leakage_limit[6];
  char leakage_value[6];
  char bytes_9_24[32];
  char leakage_error[2];
  char bytes_26_32[14];
  char leakage_error_text[3];
  char message[80];
} Ext408Block5Fields;

typedef struct Ext408Block6Fields {
  char unit_type[2];
  char unit_serial_number[8];
  char channel_number[2];
  char bytes_6_8[6];
  char assembly_type[2];
  char assembly_serial_number[8];
  char location_in_assembly[2];
  char bytes_14_16[6];
  char subunit_type[2];
  char channel_type_code[2];
  char bytes_19_20[4];
  char sensor_sensitivity[6];
  char bytes_25_32[16];
  char unit_type_text[16];
  char assembly_type_text[17];
  char subunit_type_text[8];
  char channel_type_text[12];
  char message[80];
} Ext408Block6Fields;

typedef struct Ext408Block7Fields {
  char control_unit_type[2];
  char control_unit_serial_number[8];
  char channel_gain_scale[2];
  char channel_filter[2];
  char channel_data_error[2];
  char channel_edited_status[2];
  char conversion_factor[20];
  char stacks_noisy[2];
  char stacks_low[2];
  char channel_type_identification[2];
  char channel_process[2];
  char trace_maximum_value[20];
  char trace_maximum_time[8];
  char number_of_interpolations[8];
  char bytes_29_32[8];
  char control_unit_type_text[12];
  char gain_scale_text_1[24];
  char gain_scale_text_2[24];
  char gain_scale_text_3[24];
  char channel_filter_text[24];
  char channel_edited_status_text[30];
  char channel_type_text[4];
  char channel_process_text[30];
  char message[80];
} Ext408Block7Fields;

typedef struct Ext408ExtendedFields {
  char acquisition_length[5];
  char sample_rate[5];
  char total_traces[5];
  char auxiliary_traces[5];
  char seismic_traces[5];
  char dead_seismic_traces[5];
  char live_seismic_traces[5];
  char source_type[5];
  char samples_per_trace[5];
  char shot_number[5];
  char time_break_window[5];
  char test_record_type[5];
  char spread_first_line[5];
  char spread_first_number[5];
  char spread_number[5];
  char spread_type[5];
  char time_break[5];
  char uphole_time[5];
  char blaster_identifier[5];
  char blaster_status[5];
  char refraction_delay[5];
  char time_break_to_t0[5];
  char internal_time_break[5];
  char prestack_in_field_units[5];
  char noise_elimination_type[5];
  char low_trace_percentage[5];
  char low_trace_value[5];
  char number_of_windows[5];
  char historic_editing_type[5];
  char noisy_trace_percentage[5];
  char historic_range[5];
  char historic_taper_length[5];
  char threshold_hold_variable[5];
  char historic_threshold_initial_value[5];
  char historic_zeroing_length[5];
  char process_type[5];
  char bytes_145_272[256];
  char bytes_273_400[256];
  char bytes_401_404[5];
  char bytes_405_484[80];
  char bytes_485_488[5];
  char bytes_489_492[5];
  char bytes_493_496[5];
  char bytes_497_500[5];
  char bytes_501_504[5];
  char bytes_505_508[5];
  char bytes_509_512[5];
  char maximum_auxiliary_amplitude[12];
  char maximum_seismic_amplitude[12];
  char bytes_521_524[5];
  char tape_label[16];
  char tape_number[5];
  char bytes_545_560[16];
  char bytes_561_572[12];
  char source_easting[16];
  char source_northing[16];
  char source_elevation[10];
  char slip_sweep[5];
  char bytes_597_600[5];
  char bytes_601_604[5];
  char bytes_605_764[160];
  char acquisition_filter_type[5];
  char bytes_769_772[5];
  char prm_tilt_flag[5];
  char bytes_777_1023[490];
  char source_type_text[20];
  char test_record_type_text[20];
  char spread_type_text[8];
  char blaster_status_text_1[40];
  char blaster_status_text_2[40];
  char blaster_status_text_3[40];
  char internal_time_break_text[4];
  char prestack_text[4];
  char noise_elimination_text[20];
  char historic_editing_text[12];
  char threshold_text[8];
  char process_type_text[40];
  char slip_sweep_text[4];
  char acquisition_filter_text[12];
  char prm_tilt_text[4];
  char message[80];
} Ext408ExtendedFields;

typedef struct Sn388Block1Fields {
  char receiver_line_number[6];
  char receiver_point_number[6];
  char receiver_point_index[2];
  char samples_per_trace[6];
  char bytes_11_to_13[6];
  char channel_filter_code[1];
  char channel_gain[2];
  char unit_type_value[2];
  char channel_type_value[2];
  char noise_elimination_code[2];
  char process_code[2];
  char status_byte[1];
  char byte_20[2];
  char byte_21[2];
  char bytes_22_to_23[4];
  char bytes_24_to_25[5];
  char byte_26[3];
  char bytes_27_to_30[15];
  char bytes_31_to_32[4];
  char filter_text[20];
  char gain_text[6];
  char unit_type_text[12];
  char channel_type_text[24];
  char noise_elimination_text[20];
  char process_text[40];
  char status_flags[8][3];
  char byte_26_text[20];
  char message[80];
} Sn388Block1Fields;

typedef struct Sn388Block2Fields {
  char receiver_x[10];
  char receiver_y[10];
  char receiver_z[6];
  char bytes_22_to_32[12];
  char message[80];
} Sn388Block2Fields;

typedef struct Sn388ExtendedFields {
  char first_words[26][5];
  char bytes_105_to_168[64];
  char middle_words[34][5];
  char bytes_305_to_432[128];
  char bytes_433_to_560[128];
  char bytes_561_to_564[5];
  char bytes_565_to_644[80];
  char words_645_to_696[13][5];
  char bytes_697_to_700[4];
  char bytes_701_to_704[5];
  char bytes_705_to_720[16];
  char bytes_721_to_724[5];
  char bytes_725_to_728[5];
  char bytes_729_to_732[5];
  char bytes_733_to_736[5];
  char bytes_737_to_740[5];
  char bytes_741_to_756[16];
  char bytes_757_to_760[5];
  char bytes_761_to_764[5];
  char bytes_765_to_768[5];
  char bytes_769_to_772[5];
  char bytes_773_to_784[12];
  char bytes_785_to_788[14];
  char bytes_789_to_792[5];
  char bytes_793_to_800[9];
  char bytes_801_to_808[9];
  char bytes_809_to_812[5];
  char bytes_813_to_1023[211];
  char uphole_text[8];
  char auxiliary_unit_text[8];
  char source_type_text[10];
  char firing_order_channel_text[24];
  char signal_text[80];
  char synthetic_signal_shape_text[22];
  char test_text[40];
  char spread_type_text[40];
  char blaster_status_texts[3][24];
  char synthetic_signal_type_text[28];
  char sar_prestack_text[3];
  char noise_elimination_text[16];
  char historic_editing_text[8];
  char threshold_text[4];
  char process_type_text[24];
  char xdt_text[3];
  char ttm_text[12];
  char message[80];
} Sn388ExtendedFields;

typedef struct Seg2FileHeaderFields {
  char identifier[4];
  char revision[4];
  char trace_pointer_block_size[4];
  char trace_count[4];
  char string_terminator_count[2];
  char string_terminator_code_1[2];
  char string_terminator_code_2[2];
  char line_terminator_count[2];
  char line_terminator_code_1[2];
  char line_terminator_code_2[2];
  char byte_order_flag[1];
  char machine[4];
  char string_terminator[2];
  char line_terminator[2];
  char message[16];
} Seg2FileHeaderFields;

typedef struct Seg2TraceHeaderFields {
  char identifier[4];
  char block_size[4];
  char data_block_size[8];
  char sample_count[8];
  char data_format_code[2];
  char data_format_text[40];
  char message[60];
} Seg2TraceHeaderFields;

typedef struct Seg2TraceDescriptorFields {
  char alias_filter[30];
  char amplitude_recovery[30];
  char band_reject_filter[30];
  char cdp_number[30];
  char cdp_trace[30];
  char channel_number[10];
  char datum[30];
  char delay[30];
  char descaling_factor[30];
  char digital_band_reject_filter[30];
  char digital_high_cut_filter[30];
  char digital_low_cut_filter[30];
  char end_of_group[10];
  char fixed_gain[30];
  char high_cut_filter[30];
  char line_id[30];
  char low_cut_filter[30];
  char notch_frequency[30];
  char polarity[4];
  char raw_record[40];
  char receiver[30];
  char receiver_geometry[30];
  char receiver_location_x[15];
  char receiver_location_y[15];
  char receiver_location_z[15];
  char receiver_specs[30];
  char receiver_station_number[30];
  char sample_interval[30];
  char shot_sequence_number[10];
  char skew[30];
  char source[30];
  char source_geometry[30];
  char source_location_x[15];
  char source_location_y[15];
  char source_location_z[15];
  char source_station_number[30];
  char stack[10];
  char static_corrections[30];
  char trace_type[30];
  char note[70];
} Seg2TraceDescriptorFields;

typedef struct Seg2FileDescriptorFields {
  char acquisition_date[30];
  char acquisition_time[30];
  char client[40];
  char company[40];
  char general_constant[40];
  char instrument[40];
  char job_id[40];
  char observer[40];
  char processing_date[30];
  char processing_time[30];
  char trace_sort[30];
  char units[30];
  char note[604];
} Seg2FileDescriptorFields;

typedef struct QuickFileHeader {
  int32_t file_number;
  char date[10];
  char time[8];
  char tape_label[16];
  char tape_number[4];
  char format_code[4];
  float sample_interval;
  int32_t samples_per_trace;
  int32_t record_type;
  int32_t test_record_type;
  float source_line;
  float source_point;
  double source_x;
  double source_y;
  float source_z;
  int32_t total_traces;
  int32_t auxiliary_traces;
  int32_t seismic_traces;
  int32_t spread_first_line;
  int32_t spread_first_number;
  int32_t internal_time_break;
  int32_t blaster_status;
  float maximum_auxiliary_amplitude;
  float maximum_seismic_amplitude;
  int32_t acquisition_filter_type;
  char message[60];
} QuickFileHeader;

typedef struct QuickTraceHeader {
  int32_t file_number;
  char date[10];
  char time[8];
  char tape_label[16];
  char tape_number[4];
  float sample_interval;
  int32_t samples_per_trace;
  int32_t record_type;
  float source_line;
  float source_point;
  float source_x;
  float source_y;
  float source_z;
  float receiver_line;
  float receiver_point;
  double receiver_x;
  double receiver_y;
  float receiver_z;
  int32_t sensor_type;
  float resistance;
  float capacitance;
  float tilt;
  float leakage;
  int32_t resistance_error;
  int32_t capacitance_error;
  int32_t tilt_error;
  int32_t leakage_error;
  int32_t unit_serial_number;
  int32_t channel_number;
  int32_t channel_type;
  int32_t control_unit_type;
  int32_t control_unit_serial_number;
  int32_t channel_filter;
  float mv_conversion_factor;
  float trace_maximum_value;
  int32_t interpolation_count;
  char control_unit_text[20];
  char filter_text[20];
  char message[60];
} QuickTraceHeader;

typedef struct Vqc88TableEntry {
  char code[6];
  char name[17];
  char value[17];
} Vqc88TableEntry;

typedef struct Vqc88FileHeader {
  char format_code[4];
  char bytes_609_to_612[8];
  char bytes_613_to_616[8];
  char bytes_617_to_620[8];
  char bytes_657_to_660[8];
  char bytes_1261_to_1264[8];
  Vqc88TableEntry table[10];
  char texts[3][20];
  char text_2433_to_2532[100];
  char text_2533_to_2656[124];
  char message[60];
} Vqc88FileHeader;

/* ---- SEG-D general headers, scan type headers, external header ---- */

/* General header block 1 (32 bytes): -1 unknown format code, -3 sample interval code, -4
 * record type (each stops decoding), 1 for a VQC-88 file (stops), 2 unknown manufacturer. */
VORAX_SEGD_API int32_t SEGDDECODEGH1(const uint8_t* buffer, size_t length, Gh1Fields* out);
/* General header blocks 2 and 3 (32 bytes each). Always 0. */
VORAX_SEGD_API int32_t SEGDDECODEGH2(const uint8_t* buffer, size_t length, Gh2Fields* out);
VORAX_SEGD_API int32_t SEGDDECODEGH3(const uint8_t* buffer, size_t length, Gh3Fields* out);
/* One scan type header (channel set descriptor, 32 bytes). Always 0. */
VORAX_SEGD_API int32_t SEGDDECODESCANTYPEHEADER(const uint8_t* buffer, size_t length,
                                                ChannelSetFields* out);
/* The first 1024 bytes of the external header as hex digits and as text. Always 0. */
VORAX_SEGD_API int32_t SEGDDECODE408EXTERNALHEADER(const uint8_t* buffer, size_t length,
                                                   ExternalHeaderFields* out);
/* The 20-byte demultiplexed trace header: 1 for an unknown trace edit code. */
VORAX_SEGD_API int32_t SEGDDECODEDEMUXTRACEHEADER(const uint8_t* buffer, size_t length,
                                                  DemuxTraceHeaderFields* out);

/* ---- VORAX-flavour headers ---- */

VORAX_SEGD_API int32_t SEGDDECODEVORAXGH3(const uint8_t* buffer, size_t length,
                                          VoraxGh3Fields* out);
/* The 64-byte extended header. */
VORAX_SEGD_API int32_t SEGDDECODEVORAXEXTENDEDHEADER(const uint8_t* buffer, size_t length,
                                                     VoraxExtendedFields* out);
VORAX_SEGD_API int32_t SEGDDECODEVORAXTRACEHEADEREXTBLOCK1(const uint8_t* buffer, size_t length,
                                                           VoraxTraceExt1Fields* out);

/* ---- Sercel 408/428: trace header extension blocks 1-7 (32 bytes each) and the 1024-byte
 * extended header. Every check runs; the status is that of the last failing one. ---- */

VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK1(const uint8_t* buffer, size_t length,
                                                         Ext408Block1Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK2(const uint8_t* buffer, size_t length,
                                                         Ext408Block2Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK3(const uint8_t* buffer, size_t length,
                                                         Ext408Block3Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK4(const uint8_t* buffer, size_t length,
                                                         Ext408Block4Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK5(const uint8_t* buffer, size_t length,
                                                         Ext408Block5Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK6(const uint8_t* buffer, size_t length,
                                                         Ext408Block6Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408TRACEHEADEREXTBLOCK7(const uint8_t* buffer, size_t length,
                                                         Ext408Block7Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE408EXTENDEDHEADER(const uint8_t* buffer, size_t length,
                                                   Ext408ExtendedFields* out);

/* ---- Sercel SN388: extension blocks 1 and 2 (32 bytes each), the extended header ---- */

VORAX_SEGD_API int32_t SEGDDECODE388TRACEHEADEREXTBLOCK1(const uint8_t* buffer, size_t length,
                                                         Sn388Block1Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE388TRACEHEADEREXTBLOCK2(const uint8_t* buffer, size_t length,
                                                         Sn388Block2Fields* out);
VORAX_SEGD_API int32_t SEGDDECODE388EXTENDEDHEADER(const uint8_t* buffer, size_t length,
                                                   Sn388ExtendedFields* out);

/* ---- SEG-2 ---- */

/* The first 32 bytes of a SEG-2 file: 0, or -1 "Not a SEG 2 File". */
VORAX_SEGD_API int32_t DECODESEG2FILEHEADER(const uint8_t* buffer, size_t length,
                                            Seg2FileHeaderFields* out);
/* The first 32 bytes of a trace descriptor block; `byte_order_flag` is the file header's
 * flag, "1" for PC order (NULL counts as UNIX order). 0, or -1 for a wrong identifier or an
 * unknown data format code. */
VORAX_SEGD_API int32_t DECODESEG2TRACEHEADER(const uint8_t* buffer, size_t length,
                                             const char* byte_order_flag,
                                             Seg2TraceHeaderFields* out);
/* A descriptor's string area, from the two-byte length word of its first string. The
 * terminator is the file's string terminator, `terminator_length` bytes (it may be a zero
 * byte; length 0 does not split). Keywords found fill their fields; the rest keep what they
 * held. Always 0 (or -1 for a NULL record). */
VORAX_SEGD_API int32_t DECODESEG2FILEDESCRIPTOR(const uint8_t* area, size_t length,
                                                const char* terminator, size_t terminator_length,
                                                Seg2FileDescriptorFields* out);
VORAX_SEGD_API int32_t DECODESEG2TRACEDESCRIPTOR(const uint8_t* area, size_t length,
                                                 const char* terminator, size_t terminator_length,
                                                 Seg2TraceDescriptorFields* out);

/* ---- Quick readers ---- */

/* A whole Sercel 408 file header (1632 bytes): 0, -1 format code not 8058, -3 sample
 * interval code, -4 acquisition filter type outside 1-3. */
VORAX_SEGD_API int32_t quick408fhl(const uint8_t* buffer, size_t length, QuickFileHeader* out);
/* One 244-byte Sercel trace header (with its seven extension blocks); the record-level values
 * are copied from `file_header` (NULL: an empty one). 0, -1 unknown control unit type, -2
 * unknown filter code. */
VORAX_SEGD_API int32_t quick408gettracehl(const uint8_t* buffer, size_t length,
                                          QuickTraceHeader* out,
                                          const QuickFileHeader* file_header);
/* The file header of a VQC-88 file (2656 bytes): 0, or -1 when the format code is not 8765
 * (the fields are decoded all the same). */
VORAX_SEGD_API int32_t vqc88decodefileheader(const uint8_t* buffer, size_t length,
                                             Vqc88FileHeader* out);

/* ---- Sample converters ----
 * Each converts n = min(count, out_length) samples of 4 bytes (sample i is raw bytes
 * 4i..4i+3) into out[0..n); bytes past raw_length count as zero. Non-finite samples are
 * written as read but never taken as the peak. `scale` is in and out as described; a NULL
 * scale converts nothing and returns -1. */

/* Big-endian IEEE singles normalised to peak 1: -1 (scale 0) for an all-zero trace; else 0
 * with scale 1 when 1 (or 0) was passed in, otherwise scale passed in x peak. */
VORAX_SEGD_API int32_t ARRAYBIGSINGLETOLITTLENORM(const uint8_t* raw, size_t raw_length,
                                                  int32_t count, float* out, size_t out_length,
                                                  float* scale);
/* As above, the peak search starting from the scale passed in; scale out = scale in x peak. */
VORAX_SEGD_API int32_t ARRAYLITTLESINGLETOLITTLENORM(const uint8_t* raw, size_t raw_length,
                                                     int32_t count, float* out, size_t out_length,
                                                     float* scale);
VORAX_SEGD_API int32_t ARRAYLITTLELONGINTTOLITTLESINGLENORM(const uint8_t* raw, size_t raw_length,
                                                            int32_t count, float* out,
                                                            size_t out_length, float* scale);
VORAX_SEGD_API int32_t ARRAYBIGLONGINTTOLITTLESINGLENORM(const uint8_t* raw, size_t raw_length,
                                                         int32_t count, float* out,
                                                         size_t out_length, float* scale);
/* Kept as recorded; scale becomes max(scale in, largest absolute sample). */
VORAX_SEGD_API int32_t ARRAYBIGSINGLETOLITTLENOTNORM(const uint8_t* raw, size_t raw_length,
                                                     int32_t count, float* out, size_t out_length,
                                                     float* scale);
/* Divided by scale (0 divides by 1); scale unchanged. */
VORAX_SEGD_API int32_t ARRAYBIGSINGLETOLITTLEFIXED(const uint8_t* raw, size_t raw_length,
                                                   int32_t count, float* out, size_t out_length,
                                                   float* scale);
VORAX_SEGD_API int32_t arraybigsingletolittle(const uint8_t* raw, size_t raw_length, int32_t count,
                                              float* out, size_t out_length);

/* ---- Byte-to-text routines ---- */

/* Two upper-case hex digits per byte: {0x25, 0xAF} -> "25AF". */
VORAX_SEGD_API size_t hexdigits(const uint8_t* bytes, size_t length, char* out, size_t capacity);
/* Hex digits of the first `count` bytes, last to first when the trimmed `order` is "1". */
VORAX_SEGD_API size_t BCD2STRINGD(const uint8_t* bytes, size_t length, int32_t count,
                                  const char* order, char* out, size_t capacity);
/* Per byte the decimal text of the high then the low nibble: 0x1C -> "112". */
VORAX_SEGD_API size_t bcd2string(const uint8_t* bytes, size_t length, char* out, size_t capacity);
/* Decimal text of the bytes as one big-endian unsigned integer; "Too Big" past 9 bytes. */
VORAX_SEGD_API size_t bintodecimal(const uint8_t* bytes, size_t length, char* out, size_t capacity);
/* The same as a number; 2147483647 past 9 bytes or when it does not fit. */
VORAX_SEGD_API int32_t bintonumber(const uint8_t* bytes, size_t length);
/* "major.minor" of two bytes: {2, 1} -> "2.1". */
VORAX_SEGD_API size_t revisiontext(const uint8_t* bytes, size_t length, char* out, size_t capacity);
/* Big-endian IEEE single (7 significant digits) and double (15) as decimal text. */
VORAX_SEGD_API size_t ieeesingletext(const uint8_t* bytes, size_t length, char* out,
                                     size_t capacity);
VORAX_SEGD_API size_t ieeedoubletext(const uint8_t* bytes, size_t length, char* out,
                                     size_t capacity);
/* Leading bytes as an integer, ".", then the nibble digits of the last two bytes:
 * {0, 0, 100, 0x00, 0x50} -> "100.0050". */
VORAX_SEGD_API size_t fractionaltext(const uint8_t* bytes, size_t length, char* out,
                                     size_t capacity);
/* "CCYY-MM-DD" of a two-digit year and a day of the year: (5, 60) -> "2005-03-01". */
VORAX_SEGD_API size_t datefromjulian(int32_t two_digit_year, int32_t day_of_year, char* out,
                                     size_t capacity);
/* "Jan".."Dec" for 1..12, "bad" otherwise. */
VORAX_SEGD_API size_t getmonth(int32_t month, char* out, size_t capacity);
/* Decimal text of all the bytes as one unsigned number, any length: {1, 0} -> "256". */
VORAX_SEGD_API size_t hexvalue(const uint8_t* bytes, size_t length, char* out, size_t capacity);

/* ---- Drawing and file utilities ---- */

/* A round axis step giving about ten intervals over a..b (0..1000 -> 100). */
VORAX_SEGD_API float CHOOSESTEP(float a, float b);
/* COLORREF (0x00BBGGRR) of hue, lightness, saturation on the 0..240 scales. */
VORAX_SEGD_API uint32_t HLSTORGB(float h, float l, float s);
/* Angle of (x, y) in radians; ATAN2(0, -1) is 0, ATAN2(1, 0) is pi/2. */
VORAX_SEGD_API float ATAN2(float y, float x);
/* Trims the zero-terminated `text` (a buffer of `capacity` bytes), then cuts it to n
 * characters or pads it with blanks to n, in place; returns the new length (n, or less when
 * the buffer cannot hold n characters and the terminator). */
VORAX_SEGD_API size_t PADOUT(char* text, size_t capacity, int32_t n);
/* Length of a file in bytes, or -1 when it does not exist or is not a regular file. */
VORAX_SEGD_API int64_t FILELEN(const char* path);

/* ---- Whole records ---------------------------------------------------------------------
 * A whole record (SEG-D or SEG-2) opened once and read trace by trace. A VoraxRecord is
 * opaque; each open record is closed with vorax_close. An open record is only read: several
 * threads may read the same one at once. */

typedef struct VoraxRecord VoraxRecord;

/* The library's version, as "MAJOR.MINOR.PATCH"; the text is never freed. */
VORAX_SEGD_API const char* vorax_version(void);
/* Opens the record at `path`, headers and every trace the file holds. On failure returns NULL
 * and writes why into `message` (zero-terminated, cut to message_size - 1 characters; NULL or
 * size 0 to ignore it). On success `message` holds the first warning the record gave (a file
 * shorter than its headers declare, several records in one file) or "". */
VORAX_SEGD_API VoraxRecord* vorax_open(const char* path, char* message, size_t message_size);
/* The traces the record holds (fewer than its headers declare when the file is cut short);
 * 0 for NULL. */
VORAX_SEGD_API int vorax_trace_count(const VoraxRecord* record);
/* Samples per trace; 0 for NULL. */
VORAX_SEGD_API int vorax_sample_count(const VoraxRecord* record);
/* The sample interval in microseconds; 0 for NULL. */
VORAX_SEGD_API double vorax_sample_interval_us(const VoraxRecord* record);
/* Writes the first min(n, vorax_sample_count) samples of `trace` (1..vorax_trace_count) into
 * out[0..n), in the units recorded (a NaN sample stays NaN). Returns 0, or -1 (nothing written)
 * for a NULL record, a NULL `out` with n > 0 or a trace number out of range. */
VORAX_SEGD_API int vorax_read_trace(const VoraxRecord* record, int trace, float* out, size_t n);
/* Frees the record; NULL is allowed. */
VORAX_SEGD_API void vorax_close(VoraxRecord* record);

#ifdef __cplusplus
}
#endif

#endif /* VORAX_SEGD_H */
