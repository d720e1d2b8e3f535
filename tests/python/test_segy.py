"""`vorax convert` and vorax.export_segy: SEG-Y files read back through segyio hold the samples
(in recorded units) and numbers `vorax traces --json --samples` and `vorax info --json` give."""
import datetime
import warnings

import numpy as np
import pytest
import segyio
import vorax

from conftest import cli_json, real_file, recorded_samples, run_cli

F = segyio.TraceField
CHANNEL = 233  # the field the program puts the channel number in


def unscaled(stored, scalar):
    return stored / -scalar if scalar < 0 else stored * max(scalar, 1)


def check_trace_headers(f, traces, info, delays_ms):
    date = datetime.date.fromisoformat(
        "-".join(p.zfill(2) for p in info["record_date"].split("-")))
    hour, minute, second = (int(p) for p in info["record_time"].split(":"))
    file_number = int(info["file_number"]) if info["file_number"].isdigit() else 0
    for k, t in enumerate(traces):
        h = f.header[k]
        assert h[F.FieldRecord] == file_number
        assert h[F.TraceNumber] == t["trace"] == k + 1
        assert h[F.TRACE_SEQUENCE_FILE] == k + 1
        assert h[CHANNEL] == t["channel_number"]
        assert h[F.INLINE_3D] == round(t["receiver_line"])
        assert h[F.CROSSLINE_3D] == round(t["receiver_point"])
        scalar = h[F.SourceGroupScalar]
        assert unscaled(h[F.GroupX], scalar) == pytest.approx(t["receiver_x"], abs=1e-9)
        assert unscaled(h[F.GroupY], scalar) == pytest.approx(t["receiver_y"], abs=1e-9)
        assert unscaled(h[F.SourceX], scalar) == pytest.approx(info["source_x"], abs=1e-9)
        assert unscaled(h[F.SourceY], scalar) == pytest.approx(info["source_y"], abs=1e-9)
        assert unscaled(h[F.ShotPoint], h[F.ShotPointScalar]) == pytest.approx(info["source_point"])
        assert h[F.DelayRecordingTime] == delays_ms[k]
        assert (h[F.YearDataRecorded], h[F.DayOfYear]) == (date.year, date.timetuple().tm_yday)
        assert (h[F.HourOfDay], h[F.MinuteOfHour], h[F.SecondOfMinute]) == (hour, minute, second)


def test_converted_record_reads_back_through_segyio(any_record, tmp_path):
    out = tmp_path / "out.sgy"
    run_cli("convert", any_record, "-o", out)
    info = cli_json("info", "--json", any_record)
    traces = cli_json("traces", "--json", "--samples", any_record)
    record = info["record"]
    seg2 = info.get("seg2")
    delays = ([round(float(t["descriptor"]["delay"] or 0) * 1000) for t in seg2["traces"]]
              if seg2 else [0] * len(traces["traces"]))
    with segyio.open(out, ignore_geometry=True) as f:
        assert f.tracecount == len(traces["traces"])
        assert len(f.samples) == record["samples_per_trace"]
        assert f.bin[segyio.BinField.Interval] == record["sample_interval_us"]
        assert f.bin[segyio.BinField.Format] == 5
        np.testing.assert_array_equal(f.trace.raw[:], recorded_samples(traces))
        check_trace_headers(f, traces["traces"], record, delays)
        text = segyio.tools.wrap(f.text[0])
        assert f"SOURCE FILE {any_record.name[-60:]}" in text
        assert f"DATE {record['record_date']}  TIME {record['record_time']}" in text


def test_seg2_delay_and_an_interval_that_is_not_whole_microseconds(tmp_path):
    out = tmp_path / "329.sgy"
    result = run_cli("convert", real_file("SeisUnix_329.dat"), "-o", out)
    assert "the sample interval 62.5 us is not whole microseconds: SEG-Y holds it as 63 us" \
        in result.stderr
    with segyio.open(out, ignore_geometry=True) as f:
        assert f.bin[segyio.BinField.Interval] == 63
    delayed = tmp_path / "delay.sgy"
    run_cli("convert", real_file("obspy_20180307_031245000.0.seg2"), "-o", delayed)
    with segyio.open(delayed, ignore_geometry=True) as f:
        assert f.header[0][F.DelayRecordingTime] == -10  # DELAY -0.010 s


def test_several_records_one_after_another_sorted_by_channel(synth_record, tmp_path):
    cli_out, module_out = tmp_path / "cli.sgy", tmp_path / "module.sgy"
    run_cli("convert", synth_record, synth_record, "--sort", "channel", "-o", cli_out)
    record = vorax.open(str(synth_record))
    assert vorax.export_segy(str(module_out), [record, record], sort="channel") == 52
    assert module_out.read_bytes() == cli_out.read_bytes()
    with segyio.open(cli_out, ignore_geometry=True) as f:
        channels = f.attributes(CHANNEL)[:]
        traces = f.attributes(F.TraceNumber)[:]
        assert list(zip(channels[:26], traces[:26])) == sorted(zip(channels[:26], traces[:26]))
        np.testing.assert_array_equal(f.trace.raw[26:], f.trace.raw[:26])
        for k in (0, 7, 25):
            np.testing.assert_array_equal(f.trace[k], record.samples[traces[k] - 1])


def test_export_failures_raise_and_write_nothing(synth_record, tmp_path):
    short = tmp_path / "short.segd"
    run_cli("synth", "-o", short, "--samples", "101")
    out = tmp_path / "mixed.sgy"
    with pytest.raises(OSError, match="one SEG-Y file holds one trace length"):
        vorax.export_segy(str(out), [vorax.open(str(synth_record)), vorax.open(str(short))])
    assert not out.exists()
    with pytest.raises(ValueError, match="sort must be"):
        vorax.export_segy(str(out), vorax.open(str(short)), sort="offset")
    result = run_cli("convert", short, tmp_path / "absent.segd", "-o", out, check=False)
    assert result.returncode == 2 and "absent.segd" in result.stderr and not out.exists()


def test_roundings_are_python_warnings(tmp_path):
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        vorax.export_segy(str(tmp_path / "329.sgy"), vorax.open(str(real_file("SeisUnix_329.dat"))))
    assert any("62.5 us is not whole microseconds" in str(w.message) for w in caught)
